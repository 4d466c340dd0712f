#pragma once

#include <filesystem>

// Where the per-user services keep their files. Each variable is read at the call, so a
// test can point the services at a scratch folder before it creates them.

// The registry store: $CURVIX_REGISTRY_DIR, else $XDG_CONFIG_HOME/curvix,
// else $HOME/.config/curvix.
std::filesystem::path RegistryDirectory();

// The instance lock files: $CURVIX_LOCK_DIR, else $XDG_RUNTIME_DIR/curvix,
// else RegistryDirectory()/locks.
std::filesystem::path LockDirectory();
