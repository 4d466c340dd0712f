#include "PropertyStream.h"

#include <algorithm>
#include <cstring>

namespace {

// Lists of grid properties are flat; nesting beyond this is a broken stream.
constexpr int kMaxListDepth = 32;

std::string TypeName(TValueType type) {
    switch (type) {
    case vaNull:
        return "end of list";
    case vaList:
        return "list";
    case vaInt8:
    case vaInt16:
    case vaInt32:
        return "integer";
    case vaString:
        return "string";
    case vaIdent:
        return "identifier";
    case vaFalse:
    case vaTrue:
        return "boolean";
    case vaBinary:
        return "binary block";
    }
    return "unknown value type " + std::to_string(static_cast<int>(type));
}

} // namespace

// ---- TMemoryStream

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0 || position_ >= bytes_.size()) return 0;
    const auto n =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(count), bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return static_cast<std::int64_t>(n);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    const auto n = static_cast<std::size_t>(count);
    if (position_ + n > bytes_.size()) bytes_.resize(position_ + n);
    std::memcpy(bytes_.data() + position_, buffer, n);
    position_ += n;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == soBeginning ? 0
                              : origin == soCurrent ? static_cast<std::int64_t>(position_)
                                                    : Size();
    std::int64_t target = base + offset;
    target = std::clamp<std::int64_t>(target, 0, Size());
    position_ = static_cast<std::size_t>(target);
    return target;
}

// ---- TReader

std::uint8_t TReader::TakeByte(const char* what) {
    if (position_ >= bytes_.size())
        throw EReadError(std::string("Stream ends inside ") + what + " at byte " +
                         std::to_string(position_));
    return bytes_[position_++];
}

std::span<const std::uint8_t> TReader::TakeBytes(std::uint64_t count, const char* what) {
    const std::uint64_t left = bytes_.size() - position_;
    if (count > left)
        throw EReadError(std::string(what) + " of " + std::to_string(count) + " bytes at byte " +
                         std::to_string(position_) + ", stream holds " + std::to_string(left));
    const auto part = bytes_.subspan(position_, static_cast<std::size_t>(count));
    position_ += static_cast<std::size_t>(count);
    return part;
}

std::uint32_t TReader::TakeU32(const char* what) {
    const auto b = TakeBytes(4, what);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

TValueType TReader::NextValue() const {
    if (position_ >= bytes_.size())
        throw EReadError("Stream ends where a value is expected at byte " +
                         std::to_string(position_));
    return static_cast<TValueType>(bytes_[position_]);
}

void TReader::Expect(TValueType type, const char* what) {
    const TValueType found = NextValue();
    if (found != type)
        throw EReadError(std::string("Expected ") + what + ", found " + TypeName(found) +
                         " at byte " + std::to_string(position_));
    ++position_;
}

void TReader::ReadListBegin() {
    Expect(vaList, "list");
    if (++depth_ > kMaxListDepth) throw EReadError("Lists nested too deeply");
}

void TReader::ReadListEnd() {
    Expect(vaNull, "end of list");
    --depth_;
}

std::int32_t TReader::ReadInteger() {
    const TValueType type = NextValue();
    switch (type) {
    case vaInt8: {
        ++position_;
        return static_cast<std::int8_t>(TakeByte("an integer"));
    }
    case vaInt16: {
        ++position_;
        const auto b = TakeBytes(2, "Integer");
        return static_cast<std::int16_t>(b[0] | (b[1] << 8));
    }
    case vaInt32: {
        ++position_;
        return static_cast<std::int32_t>(TakeU32("Integer"));
    }
    default:
        throw EReadError("Expected integer, found " + TypeName(type) + " at byte " +
                         std::to_string(position_));
    }
}

std::string TReader::ReadString() {
    Expect(vaString, "string");
    const std::uint32_t length = TakeU32("String length");
    const auto b = TakeBytes(length, "String");
    return std::string(b.begin(), b.end());
}

std::string TReader::ReadIdent() {
    Expect(vaIdent, "identifier");
    const std::uint8_t length = TakeByte("an identifier");
    const auto b = TakeBytes(length, "Identifier");
    return std::string(b.begin(), b.end());
}

bool TReader::ReadBoolean() {
    const TValueType type = NextValue();
    if (type != vaFalse && type != vaTrue)
        throw EReadError("Expected boolean, found " + TypeName(type) + " at byte " +
                         std::to_string(position_));
    ++position_;
    return type == vaTrue;
}

std::vector<std::uint8_t> TReader::ReadBinary() {
    Expect(vaBinary, "binary block");
    const std::uint32_t length = TakeU32("Binary length");
    const auto b = TakeBytes(length, "Binary block");
    return std::vector<std::uint8_t>(b.begin(), b.end());
}

void TReader::SkipValue() {
    switch (NextValue()) {
    case vaList:
        ReadListBegin();
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
        ReadInteger();
        break;
    case vaString:
        ReadString();
        break;
    case vaIdent:
        ReadIdent();
        break;
    case vaFalse:
    case vaTrue:
        ReadBoolean();
        break;
    case vaBinary:
        ReadBinary();
        break;
    default:
        throw EReadError("Unexpected " + TypeName(NextValue()) + " at byte " +
                         std::to_string(position_));
    }
}

std::string TReader::ReadPropName() {
    const std::uint8_t length = TakeByte("a property name");
    const auto b = TakeBytes(length, "Property name");
    return std::string(b.begin(), b.end());
}

bool TReader::ReadDefined(const std::string& name, const std::function<void(TFiler&)>& define) {
    defining_ = name;
    handled_ = false;
    define(*this);
    defining_.clear();
    return handled_;
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
    if (handled_ || name != defining_ || !readData) return;
    handled_ = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
    if (handled_ || name != defining_ || !readData) return;
    handled_ = true;
    TMemoryStream block(ReadBinary());
    readData(block);
}

// ---- TWriter

void TWriter::PutU32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void TWriter::WriteListBegin() {
    bytes_.push_back(vaList);
}
void TWriter::WriteListEnd() {
    bytes_.push_back(vaNull);
}

void TWriter::WriteInteger(std::int32_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        bytes_.push_back(vaInt8);
        bytes_.push_back(static_cast<std::uint8_t>(value));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        bytes_.push_back(vaInt16);
        bytes_.push_back(static_cast<std::uint8_t>(value));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    } else {
        bytes_.push_back(vaInt32);
        PutU32(static_cast<std::uint32_t>(value));
    }
}

void TWriter::WriteString(const std::string& value) {
    bytes_.push_back(vaString);
    PutU32(static_cast<std::uint32_t>(value.size()));
    bytes_.insert(bytes_.end(), value.begin(), value.end());
}

void TWriter::WriteIdent(const std::string& value) {
    if (value.empty() || value.size() > 255)
        throw std::invalid_argument("Identifier length must be 1 to 255: '" + value + "'");
    bytes_.push_back(vaIdent);
    bytes_.push_back(static_cast<std::uint8_t>(value.size()));
    bytes_.insert(bytes_.end(), value.begin(), value.end());
}

void TWriter::WriteBoolean(bool value) {
    bytes_.push_back(value ? vaTrue : vaFalse);
}

void TWriter::WriteBinary(std::span<const std::uint8_t> bytes) {
    bytes_.push_back(vaBinary);
    PutU32(static_cast<std::uint32_t>(bytes.size()));
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void TWriter::WritePropName(const std::string& name) {
    if (name.empty() || name.size() > 255)
        throw std::invalid_argument("Property name length must be 1 to 255: '" + name + "'");
    bytes_.push_back(static_cast<std::uint8_t>(name.size()));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
}

void TWriter::WriteEndOfProperties() {
    bytes_.push_back(0);
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    WritePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    TMemoryStream block;
    writeData(block);
    WritePropName(name);
    WriteBinary(block.Bytes());
}

// ---- components

void ReadComponent(TReader& reader, TStreamable& component) {
    for (;;) {
        const std::string name = reader.ReadPropName();
        if (name.empty()) break;
        if (component.ReadPublished(name, reader)) continue;
        if (!reader.ReadDefined(name, [&](TFiler& filer) { component.DefineProperties(filer); }))
            throw EReadError("Property " + name + " does not exist");
    }
    component.Loaded();
}

void WriteComponent(TWriter& writer, TStreamable& component) {
    component.WritePublished(writer);
    component.DefineProperties(writer);
    writer.WriteEndOfProperties();
}
