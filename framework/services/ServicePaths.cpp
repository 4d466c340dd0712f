#include "services/ServicePaths.h"

#include <cstdlib>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace {

// XDG variables hold absolute paths; anything else is to be ignored.
const char* AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return (value != nullptr && value[0] == '/') ? value : nullptr;
}

std::filesystem::path HomeDirectory() {
    if (const char* home = AbsoluteEnv("HOME")) return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    throw std::runtime_error("The home folder of the user is unknown");
}

} // namespace

std::filesystem::path RegistryDirectory() {
    if (const char* dir = std::getenv("CURVIX_REGISTRY_DIR"); dir != nullptr && dir[0] != '\0')
        return dir;
    if (const char* config = AbsoluteEnv("XDG_CONFIG_HOME"))
        return std::filesystem::path(config) / "curvix";
    return HomeDirectory() / ".config" / "curvix";
}

std::filesystem::path LockDirectory() {
    if (const char* dir = std::getenv("CURVIX_LOCK_DIR"); dir != nullptr && dir[0] != '\0')
        return dir;
    if (const char* runtime = AbsoluteEnv("XDG_RUNTIME_DIR"))
        return std::filesystem::path(runtime) / "curvix";
    return RegistryDirectory() / "locks";
}
