#pragma once
// Form property streaming: a byte stream, a value stream of tagged integers,
// strings, identifiers, booleans, lists and binary blocks, and the filer pair
// through which a component reads and writes its own defined properties.
// Used by the grid base for column widths and row heights and by every
// component that streams defined properties.
//
// Stream layout (little-endian): a component is a sequence of properties, each
// a name (u8 length, bytes) followed by one value, ended by a zero length
// byte. A value is a tag byte (TValueType) and its payload: vaInt8/16/32 the
// signed integer, vaString a u32 length and bytes, vaIdent a u8 length and
// bytes, vaBinary a u32 length and bytes, vaList values up to a vaNull.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- byte streams

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads at most count bytes; returns how many were read.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Clamped to [0, Size]; returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() const = 0;
    std::int64_t Position() { return Seek(0, soCurrent); }
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// ---- values

enum TValueType : std::uint8_t {
    vaNull = 0, // end of a list
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 5,
    vaIdent = 6,
    vaFalse = 7,
    vaTrue = 8,
    vaBinary = 9
};

class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

// A component defines each of its own properties with a reader, a writer and
// whether it has data to write; the reader side calls the reader of the
// property being read, the writer side writes those that have data.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                                const TWriterProc& writeData, bool hasData) = 0;
    virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;
};

class TReader : public TFiler {
public:
    explicit TReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    TValueType NextValue() const;
    void ReadListBegin();
    bool EndOfList() const { return NextValue() == vaNull; }
    void ReadListEnd();
    // Accepts all three integer widths.
    std::int32_t ReadInteger();
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBoolean();
    std::vector<std::uint8_t> ReadBinary();
    void SkipValue();

    // The next property name; empty at the end of the component.
    std::string ReadPropName();
    bool AtEnd() const { return position_ >= bytes_.size(); }

    // Runs DefineProperties-style definitions against the property `name`
    // (just read by ReadPropName); true when one of them read it.
    bool ReadDefined(const std::string& name, const std::function<void(TFiler&)>& define);

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

private:
    std::uint8_t TakeByte(const char* what);
    std::span<const std::uint8_t> TakeBytes(std::uint64_t count, const char* what);
    std::uint32_t TakeU32(const char* what);
    void Expect(TValueType type, const char* what);

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    int depth_ = 0;
    std::string defining_;
    bool handled_ = false;
};

class TWriter : public TFiler {
public:
    void WriteListBegin();
    void WriteListEnd();
    // In the smallest of the three integer widths that holds the value.
    void WriteInteger(std::int32_t value);
    void WriteString(const std::string& value);
    void WriteIdent(const std::string& value);
    void WriteBoolean(bool value);
    void WriteBinary(std::span<const std::uint8_t> bytes);
    void WritePropName(const std::string& name);
    void WriteEndOfProperties();

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    void PutU32(std::uint32_t value);
    std::vector<std::uint8_t> bytes_;
};

// ---- components

// What a streamable component offers: its published properties by name, its
// defined properties through a filer, and the notification after reading.
class TStreamable {
public:
    virtual ~TStreamable() = default;
    // Reads the value of a published property; false for a name it lacks.
    virtual bool ReadPublished(const std::string& name, TReader& reader) = 0;
    virtual void WritePublished(TWriter& writer) = 0;
    virtual void DefineProperties(TFiler& filer) = 0;
    virtual void Loaded() = 0;
};

// Reads properties up to the end marker (published and defined in any
// order), then calls Loaded. Throws EReadError for a malformed stream or an
// unknown property.
void ReadComponent(TReader& reader, TStreamable& component);
// Published properties first, then the defined ones, then the end marker.
void WriteComponent(TWriter& writer, TStreamable& component);
