#include "services/RegistryFile.h"

#include "services/Registry.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A store far beyond anything the program writes is taken as damaged, not read.
constexpr off_t kMaxStoreBytes = 16 * 1024 * 1024;

class CFd {
public:
    explicit CFd(int fd) : fd_(fd) {}
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    ~CFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now so that a failing close (a lost write) is seen.
    int Close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int error) {
    throw ERegistryException(what + " " + path.string() + ": " + std::strerror(error));
}

SRegTree EmptyTree() {
    SRegTree tree;
    tree.keys[""];
    return tree;
}

bool Plausible(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_size <= kMaxStoreBytes;
}

// What the store file holds: its tree, or why it is damaged. Failing to reach it raises.
struct SStore {
    SRegTree tree;
    std::string damage; // empty when the tree is good
};

SStore ReadStore(const std::filesystem::path& path) {
    SStore store;
    const std::string notPlausible =
        "The registry store " + path.string() + " is damaged (not a file of a plausible size)";
    // The type is known before the open: opening a FIFO for reading waits for a writer.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) Fail("Cannot read the registry store", path, errno);
        store.tree = EmptyTree();
        return store;
    }
    if (!Plausible(info)) {
        store.damage = notPlausible;
        return store;
    }
    // Non-blocking and checked again: the name may lead elsewhere since the stat.
    CFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno != ENOENT) Fail("Cannot open the registry store", path, errno);
        store.tree = EmptyTree(); // set aside meanwhile by another instance
        return store;
    }
    if (::fstat(fd.get(), &info) != 0) Fail("Cannot read the registry store", path, errno);
    if (!Plausible(info)) {
        store.damage = notPlausible;
        return store;
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("Cannot read the registry store", path, errno);
        if (n == 0) break; // shrank meanwhile; the parser sees the cut
        done += static_cast<size_t>(n);
    }
    text.resize(done);
    try {
        store.tree = ParseRegistry(text, path.string());
    } catch (const ERegistryException& e) {
        store.damage = e.what();
    }
    return store;
}

// Enough for every damage a user may want to look into; more are not kept.
constexpr int kMaxDamagedKept = 100;

// Moves the damaged store to the first free "registry.damaged" name, under the lock so
// that no other instance takes the same name. Returns that name.
std::filesystem::path SetAside(const std::filesystem::path& store) {
    for (int n = 1; n <= kMaxDamagedKept; ++n) {
        std::filesystem::path aside = store.parent_path() / "registry.damaged";
        if (n > 1) aside += "." + std::to_string(n);
        struct stat info {};
        if (::lstat(aside.c_str(), &info) == 0) continue;
        if (errno != ENOENT) Fail("Cannot set aside the damaged registry store", aside, errno);
        if (::rename(store.c_str(), aside.c_str()) != 0)
            Fail("Cannot set aside the damaged registry store", store, errno);
        return aside;
    }
    throw ERegistryException("Cannot set aside the damaged registry store " + store.string() +
                             ": " + std::to_string(kMaxDamagedKept) +
                             " damaged stores are kept already");
}

std::function<void()>& CommitProbe() {
    static std::function<void()> probe;
    return probe;
}

void WriteAll(int fd, const std::string& text, const std::filesystem::path& path) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("Cannot write the registry store", path, errno);
        done += static_cast<size_t>(n);
    }
}

void ReplaceAtomically(const std::filesystem::path& target, const std::string& text) {
    std::filesystem::path temp = target;
    temp += ".tmp";
    // Made afresh: what a dead writer left there may be anything, even a FIFO.
    ::unlink(temp.c_str());
    CFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.get() < 0) Fail("Cannot write the registry store", temp, errno);
    WriteAll(fd.get(), text, temp);
    if (::fsync(fd.get()) != 0) Fail("Cannot flush the registry store", temp, errno);
    if (fd.Close() != 0) Fail("Cannot write the registry store", temp, errno);
    if (CommitProbe()) CommitProbe()();
    if (::rename(temp.c_str(), target.c_str()) != 0)
        Fail("Cannot replace the registry store", target, errno);
    // The rename itself lives in the folder; flush it too so it survives a power loss.
    CFd dir(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// Holds the store's lock for its lifetime.
class CStoreLock {
public:
    explicit CStoreLock(const std::filesystem::path& directory)
        : fd_(OpenLock(directory / "registry.lock")) {
        while (::flock(fd_.get(), LOCK_EX) != 0) {
            if (errno != EINTR)
                Fail("Cannot lock the registry", directory / "registry.lock", errno);
        }
    }

private:
    static int OpenLock(const std::filesystem::path& path) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) Fail("Cannot open the registry lock", path, errno);
        return fd;
    }
    CFd fd_; // the lock goes with the descriptor
};

} // namespace

CRegistryFile::CRegistryFile(std::filesystem::path directory) : directory_(std::move(directory)) {}

SRegTree CRegistryFile::Load() const {
    SStore store = ReadStore(StorePath());
    if (store.damage.empty()) return std::move(store.tree);
    // Set aside at once, so that this instance goes on with an empty store and the others
    // do not meet the damage again. Only under the lock, and only when it is still damaged.
    std::string where;
    try {
        CStoreLock lock(directory_);
        if (!ReadStore(StorePath()).damage.empty()) where = SetAside(StorePath()).string();
    } catch (const ERegistryException& e) {
        throw ERegistryException(store.damage + "; not set aside: " + e.what());
    }
    throw ERegistryDamaged(store.damage + (where.empty() ? "" : "; kept as " + where));
}

void CRegistryFile::Update(const std::function<bool(SRegTree&)>& change) {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (error) Fail("Cannot create the registry folder", directory_, error.value());
    CStoreLock lock(directory_);
    SStore store = ReadStore(StorePath());
    if (!store.damage.empty()) {
        const std::filesystem::path aside = SetAside(StorePath());
        throw ERegistryDamaged(store.damage + "; kept as " + aside.string());
    }
    if (change(store.tree)) ReplaceAtomically(StorePath(), SerializeRegistry(store.tree));
}

std::function<void()> SetRegistryCommitProbe(std::function<void()> probe) {
    std::swap(CommitProbe(), probe);
    return probe;
}
