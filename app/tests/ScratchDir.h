#pragma once
// A fresh folder for the registry store and the lock files, removed afterwards.
#include "ScratchFiles.h"

#include <cstdlib>
#include <filesystem>

struct ScratchDir {
    testsupport::ScratchDir dir;
    const std::filesystem::path& path = dir.path();
    ScratchDir() {
        setenv("CURVIX_REGISTRY_DIR", (path / "reg").c_str(), 1);
        setenv("CURVIX_LOCK_DIR", (path / "locks").c_str(), 1);
    }
    ~ScratchDir() {
        unsetenv("CURVIX_REGISTRY_DIR");
        unsetenv("CURVIX_LOCK_DIR");
    }
};
