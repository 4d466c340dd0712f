#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

struct SRegTree;
struct SRegValue;

// Raised by the registry on every failure the caller must hear about: a missing value, a
// value of another type or size, a key removed under an open handle, a damaged store or
// a failed write.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The store was found damaged and has been set aside: what it held is lost to this
// program, and the same calls made again start from an empty store.
class ERegistryDamaged : public ERegistryException {
public:
    using ERegistryException::ERegistryException;
};

// The current user's registry: keys with subkeys, holding typed values (32-bit integers,
// booleans stored as integers 0/1, and binary data). The store is one text file shared
// by all running instances (see RegistryText.h); nothing is cached, every call reads the
// file afresh and every write replaces it atomically under a lock. A damaged store raises
// at the first call that meets it and is set aside (see RegistryFile.h): later calls find
// an empty store.
//
// Key paths are backslash-separated ("Software\\Vantor\\QJ's Curvix") and always taken
// from the root; key and value names compare without regard to ASCII letter case. Until
// OpenKey succeeds, values are read and written at the root.
class TRegistry {
public:
    TRegistry(); // the store in RegistryDirectory()
    explicit TRegistry(std::filesystem::path directory);

    // Makes `key` the current key. Without canCreate a missing key gives false; with it
    // the key and its parents are created.
    bool OpenKey(std::string_view key, bool canCreate);
    void CloseKey();
    const std::string& CurrentPath() const { return current_; }

    bool KeyExists(std::string_view key) const;
    // False also when the current key has been deleted meanwhile.
    bool ValueExists(std::string_view name) const;

    std::int32_t ReadInteger(std::string_view name) const;
    bool ReadBool(std::string_view name) const;
    // Copies exactly `size` bytes; a value of any other size or of another type raises.
    // Returns size.
    int ReadBinaryData(std::string_view name, void* buffer, int size) const;

    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBool(std::string_view name, bool value);
    void WriteBinaryData(std::string_view name, const void* buffer, int size);

    // Both give false, and raise nothing, when there is nothing to delete.
    bool DeleteValue(std::string_view name);
    bool DeleteKey(std::string_view key); // with all its subkeys

    // Runs `changes`, the calls it makes on this object, as one update of the store: they
    // see and change a copy taken under the store's lock, which replaces the store when
    // `changes` returns. After a crash, or an exception from anywhere inside, the store
    // holds all of the changes or none; another instance's updates come wholly before or
    // after. A nested call joins the outer one.
    void Transaction(const std::function<void()>& changes);
    // Runs `reads`, the calls it makes on this object, on one look at the store, taken
    // without the lock: another instance's update comes wholly before or after them.
    // Writes inside raise.
    void Snapshot(const std::function<void()>& reads);

private:
    SRegTree Tree() const;
    void Change(const std::function<bool(SRegTree&)>& change);
    void StoreValue(std::string_view name, SRegValue value);

    std::filesystem::path directory_;
    std::string current_;        // normalised path of the current key; "" is the root
    SRegTree* staged_ = nullptr; // the copy a transaction or a snapshot works on
    bool stagedChanged_ = false;
    bool readOnly_ = false; // staged_ is a snapshot
};
