#include "host/streams/StreamFile.h"

#include <cerrno>
#include <cstdio>
#include <limits>
#include <memory>

#include "host/HostCall.h"
#include "platform/WideString.h"

namespace zelph::host::streams {

namespace {

constexpr std::string_view kMagic = "ZVS1";
// The fewest bytes a value takes: its type alone.
constexpr size_t kLeastValueBytes = 2;
constexpr int kTypeBytes = 2;
constexpr int kCountBytes = 4;
// Characters of a braced class id with its terminator.
constexpr int kClassIdChars = 39;

class Encoder {
 public:
  void Values(const std::vector<StoredValue>& values) {
    Count(values.size());
    for (const StoredValue& value : values) Value(value);
  }

  std::string bytes;

 private:
  void Number(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  void Count(size_t count) {
    if (count > std::numeric_limits<std::uint32_t>::max()) Fail(E_FAIL);
    Number(count, kCountBytes);
  }
  void Text(std::wstring_view text) {
    std::string utf8 = ToUtf8(text);
    Count(utf8.size());
    bytes += utf8;
  }
  void Record(const ObjectRecord& record) {
    OLECHAR clsid[kClassIdChars];
    StringFromGUID2(record.clsid, clsid, kClassIdChars);
    Text(clsid);
    Values(record.values);
  }
  void Value(const StoredValue& value) {
    Number(value.type, kTypeBytes);
    if (value.type == VT_BSTR) {
      Number(value.text ? 1 : 0, 1);
      if (value.text) Text(*value.text);
    } else if (IsObjectType(value.type)) {
      Number(value.object ? 1 : 0, 1);
      if (value.object) Record(*value.object);
    } else {
      Number(value.bits, ScalarWidth(value.type));
    }
  }
};

class Decoder {
 public:
  explicit Decoder(std::string_view bytes) : m_Bytes(bytes) {}

  std::vector<StoredValue> Stream() {
    if (Take(kMagic.size()) != kMagic) Corrupt();
    std::vector<StoredValue> values = Values(0);
    if (Left() != 0) Corrupt();
    return values;
  }

 private:
  [[noreturn]] static void Corrupt() { Fail(kNotAVariantStream); }

  size_t Left() const { return m_Bytes.size() - m_Position; }
  std::string_view Take(size_t count) {
    if (count > Left()) Corrupt();
    std::string_view taken = m_Bytes.substr(m_Position, count);
    m_Position += count;
    return taken;
  }
  std::uint64_t Number(int width) {
    std::string_view taken = Take(static_cast<size_t>(width));
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) value |= std::uint64_t{static_cast<unsigned char>(taken[i])} << (8 * i);
    return value;
  }
  // A count of things of at least `least` bytes each, which must fit in
  // what is left.
  size_t Count(size_t least) {
    size_t count = Number(kCountBytes);
    if (count > Left() / least) Corrupt();
    return count;
  }
  bool Present() {
    std::uint64_t flag = Number(1);
    if (flag > 1) Corrupt();
    return flag == 1;
  }
  std::wstring Text() { return FromUtf8(Take(Count(1))); }

  std::shared_ptr<const ObjectRecord> Record(int depth) {
    if (depth >= kMaxNesting) Corrupt();
    auto record = std::make_shared<ObjectRecord>();
    std::wstring clsid = Text();
    if (clsid.size() != kClassIdChars - 1 || FAILED(CLSIDFromString(clsid.c_str(), &record->clsid))) Corrupt();
    record->values = Values(depth + 1);
    return record;
  }
  StoredValue Value(int depth) {
    StoredValue value;
    value.type = static_cast<VARTYPE>(Number(kTypeBytes));
    if (!IsStoredType(value.type)) Corrupt();
    if (value.type == VT_BSTR) {
      if (Present()) value.text = Text();
    } else if (IsObjectType(value.type)) {
      if (Present()) value.object = Record(depth);
    } else {
      value.bits = Number(ScalarWidth(value.type));
    }
    return value;
  }
  std::vector<StoredValue> Values(int depth) {
    size_t count = Count(kLeastValueBytes);
    // No room is set aside for the count: nested counts could each claim
    // the whole file, while values actually read take bytes of their own.
    std::vector<StoredValue> values;
    for (size_t i = 0; i < count; ++i) values.push_back(Value(depth));
    return values;
  }

  std::string_view m_Bytes;
  size_t m_Position = 0;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string EncodeStream(const std::vector<StoredValue>& values) {
  Encoder encoder;
  encoder.bytes = kMagic;
  encoder.Values(values);
  return std::move(encoder.bytes);
}

std::vector<StoredValue> DecodeStream(std::string_view bytes) { return Decoder(bytes).Stream(); }

void WriteStreamFile(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".partial";
  File file(std::fopen(temporary.c_str(), "wb"));
  if (!file) Fail(E_FAIL);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = std::fclose(file.release()) == 0 && written;
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    Fail(E_FAIL);
  }
}

std::string ReadStreamFile(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) Fail(errno == ENOENT ? kStreamFileNotFound : E_FAIL);
  std::string bytes;
  char buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) Fail(E_FAIL);
  return bytes;
}

}  // namespace zelph::host::streams
