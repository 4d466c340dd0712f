#pragma once
// A fresh folder for the registry store and the lock files, removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "curvix-app-XXXXXX").string();
        path = mkdtemp(tmpl.data());
        setenv("CURVIX_REGISTRY_DIR", (path / "reg").c_str(), 1);
        setenv("CURVIX_LOCK_DIR", (path / "locks").c_str(), 1);
    }
    ~ScratchDir() {
        unsetenv("CURVIX_REGISTRY_DIR");
        unsetenv("CURVIX_LOCK_DIR");
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
