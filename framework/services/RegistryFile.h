#pragma once

#include "services/RegistryText.h"

#include <filesystem>
#include <functional>

// The registry store on disk: "registry.txt" in its folder, replaced whole on every change.
// A change writes "registry.txt.tmp", flushes it to the disk and renames it over the store,
// all while holding an flock on "registry.lock", so concurrent instances never lose each
// other's values and a crash at any moment leaves the old or the new store, never a mix.
// Readers take no lock: the rename hands them one complete file or the other.
class CRegistryFile {
public:
    explicit CRegistryFile(std::filesystem::path directory);

    // The store as it is now; a store that was never written is empty. Raises
    // ERegistryException when the file cannot be read or is damaged.
    SRegTree Load() const;

    // Applies `change` to the current store under the lock and writes the result when it
    // returns true. A damaged store is kept as "registry.damaged" and `change` starts from
    // an empty store. Exceptions from `change` leave the store untouched.
    void Update(const std::function<bool(SRegTree&)>& change);

    std::filesystem::path StorePath() const { return directory_ / "registry.txt"; }

private:
    std::filesystem::path directory_;
};
