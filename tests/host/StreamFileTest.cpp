// Variant stream files as they lie on disk: hand-built files in the stored
// form, and damaged ones (every truncation of a valid file, thousands of
// seeded random changes), which must fail to load, never crash, hang or
// allocate without bound, and leave the stream as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSymbols.h"
#include "host/HostInterfaces.h"
#include "host/streams/StreamFile.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "tests/support/TestPaths.h"

namespace {

using zelph::host::streams::kNotAVariantStream;

// Builds the stored form by hand: little-endian numbers, UTF-8 texts.
struct Bytes {
  std::string data = "ZVS1";

  Bytes& Number(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) data.push_back(static_cast<char>(value >> (8 * i)));
    return *this;
  }
  Bytes& Count(std::uint32_t count) { return Number(count, 4); }
  Bytes& Type(VARTYPE type) { return Number(type, 2); }
  Bytes& Long(std::int32_t value) { return Type(VT_I4).Number(static_cast<std::uint32_t>(value), 4); }
  Bytes& Text(const std::string& text) {
    Count(static_cast<std::uint32_t>(text.size()));
    data += text;
    return *this;
  }
  // The start of an object record of `clsid` holding `count` values.
  Bytes& Record(const std::string& clsid, std::uint32_t count) {
    return Type(VT_UNKNOWN).Number(1, 1).Text(clsid).Count(count);
  }
};

const std::string kPointClass = "{CFA06B46-8C9D-4A91-A46F-0384825CC38D}";

class StreamFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(m_Stream.CoCreateInstance(CLSID_MemoryVariantStream), S_OK);
    m_Storage = static_cast<IUnknown*>(m_Stream.p);
    // What the stream holds before each load: one value that must stay.
    ASSERT_EQ(m_Stream->Write(CComVariant(L"before")), S_OK);
  }

  HRESULT Load(const std::string& bytes) {
    // A new file each time: rewriting one in place makes the file system
    // flush it on every close.
    std::remove(m_Path.c_str());
    std::ofstream(m_Path, std::ios::binary) << bytes;
    return m_Storage->LoadFromFile(CComBSTR(std::wstring(m_Path.begin(), m_Path.end())));
  }
  std::string Save(IVariantStream* stream) {
    EXPECT_EQ(
        CComQIPtr<IVariantStreamStorage>(stream)->SaveToFile(CComBSTR(std::wstring(m_Path.begin(), m_Path.end()))),
        S_OK);
    std::ifstream file(m_Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  LONG Count() {
    LONG count = -1;
    EXPECT_EQ(m_Storage->get_Count(&count), S_OK);
    return count;
  }
  // Whether the stream still holds only the value it held before the load.
  bool Untouched() {
    CComVariant value;
    m_Storage->Rewind();
    return Count() == 1 && SUCCEEDED(m_Stream->Read(&value)) && value.vt == VT_BSTR &&
           CComBSTR(value.bstrVal).View() == L"before";
  }
  // Reads every value loaded; each read answers, and the end is E_FAIL.
  void ReadAll() {
    LONG count = Count();
    for (LONG i = 0; i < count; ++i) {
      CComVariant value;
      m_Stream->Read(&value);
    }
    CComVariant past;
    EXPECT_EQ(m_Stream->Read(&past), E_FAIL);
  }

  // A file holding every kind of value, objects nested three deep among them.
  std::string RichStream() {
    CComPtr<IVariantStream> stream;
    EXPECT_EQ(stream.CoCreateInstance(CLSID_MemoryVariantStream), S_OK);
    CComPtr<IPointCollection> ring;
    EXPECT_EQ(ring.CoCreateInstance(CLSID_Polygon), S_OK);
    for (double angle : {0.0, 1.0, 2.0, 3.0}) {
      CComPtr<IPoint> vertex;
      EXPECT_EQ(vertex.CoCreateInstance(CLSID_Point), S_OK);
      vertex->PutCoords(angle, angle * 2);
      vertex->put_Z(angle * 100);
      ring->AddPoint(vertex, nullptr, nullptr);
    }
    CComPtr<IGeometryCollection> bag;
    EXPECT_EQ(bag.CoCreateInstance(CLSID_GeometryBag), S_OK);
    bag->AddGeometry(CComQIPtr<IGeometry>(ring), nullptr, nullptr);
    CComPtr<IFillSymbol> fill;
    EXPECT_EQ(fill.CoCreateInstance(CLSID_SimpleFillSymbol), S_OK);
    for (const CComVariant& value :
         {CComVariant(bag.p), CComVariant(L"text \u00e9"), CComVariant(2.5), CComVariant(true), CComVariant(fill.p),
          CComVariant(static_cast<IUnknown*>(nullptr)), CComVariant('x'), CComVariant(-3, VT_INT)}) {
      EXPECT_EQ(stream->Write(value), S_OK);
    }
    return Save(stream);
  }

  std::string m_Path = zelph::test::FreshDirectory("variant-stream-files") + "/stream.zvs";
  CComPtr<IVariantStream> m_Stream;
  CComQIPtr<IVariantStreamStorage> m_Storage;
};

TEST_F(StreamFile, RecordsThatDoNotLoadAreSkippedAndReadingGoesOn) {
  Bytes bytes;
  bytes.Count(4);
  // A point record cut short after the reference code and the "set" flag.
  bytes.Record(kPointClass, 2).Long(0).Type(VT_BOOL).Number(0xFFFF, 2);
  // A class nobody registered.
  bytes.Record("{00000000-1111-2222-3333-444444444444}", 0);
  // A point record holding a value of the wrong type where x belongs.
  bytes.Record(kPointClass, 5).Long(0).Type(VT_BOOL).Number(0, 2).Long(1).Long(2).Long(3);
  bytes.Long(7);
  ASSERT_EQ(Load(bytes.data), S_OK);
  EXPECT_EQ(Count(), 4);
  for (int i = 0; i < 3; ++i) {
    CComVariant value;
    EXPECT_TRUE(FAILED(m_Stream->Read(&value))) << i;
    EXPECT_EQ(value.vt, VT_EMPTY);
  }
  CComVariant seven;
  EXPECT_EQ(m_Stream->Read(&seven), S_OK);
  EXPECT_EQ(seven.lVal, 7);
}

TEST_F(StreamFile, NestingCountsAndTypesAreHeldToTheirLimits) {
  // 64 nested records load; a 65th is refused.
  auto nested = [](int depth) {
    Bytes bytes;
    bytes.Count(1);
    for (int i = 0; i < depth; ++i) bytes.Record(kPointClass, i + 1 < depth ? 1 : 0);
    return bytes.data;
  };
  EXPECT_EQ(Load(nested(64)), S_OK);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Load(nested(65)), kNotAVariantStream);
  EXPECT_EQ(Count(), 1);

  ASSERT_EQ(Load(Bytes().Count(0).data), S_OK);
  EXPECT_EQ(Count(), 0);
  ASSERT_EQ(m_Stream->Write(CComVariant(L"before")), S_OK);

  for (const std::string& bad : {
           std::string("ZVS2") + Bytes().Count(0).data.substr(4),               // another magic
           Bytes().Count(0xFFFFFFFF).data,                                      // a count past the bytes
           Bytes().Count(1).Type(VT_BSTR).Number(1, 1).Count(0xFFFFFFF0).data,  // a length past them
           Bytes().Count(1).Type(VT_I8).Number(5, 8).data,                      // a type not stored
           Bytes().Count(1).Long(1).Long(2).data,  // bytes left over
           std::string(),
       }) {
    EXPECT_EQ(Load(bad), kNotAVariantStream);
    EXPECT_TRUE(Untouched());
  }
}

TEST_F(StreamFile, EveryTruncationOfAValidFileFails) {
  std::string valid = RichStream();
  ASSERT_GT(valid.size(), 300u);
  ASSERT_EQ(Load(valid), S_OK);
  EXPECT_EQ(Count(), 8);
  ReadAll();

  ASSERT_EQ(Load(Bytes().Count(1).Type(VT_BSTR).Number(1, 1).Text("before").data), S_OK);
  for (size_t length = 0; length < valid.size(); ++length) {
    ASSERT_EQ(Load(valid.substr(0, length)), kNotAVariantStream) << length;
    ASSERT_TRUE(Untouched()) << length;
  }
}

TEST_F(StreamFile, RandomlyDamagedFilesLoadOrFailCleanly) {
  std::string valid = RichStream();
  std::mt19937 random(20240611);
  int failed = 0;
  constexpr int kTrials = 2000;
  for (int trial = 0; trial < kTrials; ++trial) {
    std::string damaged = valid;
    int changes = 1 + static_cast<int>(random() % 4);
    for (int change = 0; change < changes; ++change) {
      size_t at = random() % damaged.size();
      switch (random() % 4) {
        case 0:
          damaged[at] = static_cast<char>(random());
          break;  // any byte
        case 1:
          damaged[at] = static_cast<char>(damaged[at] ^ (1 << (random() % 8)));
          break;
        case 2:
          damaged.insert(at, 1, static_cast<char>(random()));
          break;
        default:
          damaged.erase(at, 1);
          break;
      }
    }
    HRESULT hr = Load(damaged);
    if (FAILED(hr)) {
      ++failed;
      ASSERT_EQ(hr, kNotAVariantStream) << trial;
      ASSERT_TRUE(Untouched()) << trial;
    } else {
      // Whatever loads reads to its end, objects made or refused one by one.
      ReadAll();
      ASSERT_EQ(Load(Bytes().Count(1).Type(VT_BSTR).Number(1, 1).Text("before").data), S_OK);
    }
  }
  // Most damage breaks the structure; some lands in payloads and loads.
  EXPECT_GT(failed, kTrials / 2);
  EXPECT_LT(failed, kTrials);
}

}  // namespace
