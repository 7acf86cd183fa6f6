#include <gtest/gtest.h>

#include <string>

#include "frame/Guids.h"
#include "frame/Logger.h"
#include "graphics/RecordBuffer.h"
#include "graphics/SerialHelper.h"
#include "platform/ComException.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using SerialHelperTest = ComponentTest;

CComPtr<IVariantStream> StreamOf(std::initializer_list<CComVariant> values) {
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) EXPECT_EQ(stream->Write(value), S_OK);
  Rewind(stream);
  return stream;
}

CComVariant Int(int value) { return CComVariant(value, VT_INT); }

std::wstring LastLogLine() { return Logger::atlLogOutput; }

TEST_F(SerialHelperTest, ValuesOfAnotherTypeGiveDefaultsAndAreConsumed) {
  SerialHelper serial;
  CComPtr<IVariantStream> stream =
      StreamOf({CComVariant(7), CComVariant(7), CComVariant(2.5), CComVariant(1.0), CComVariant(1.0), CComVariant(1.0)});
  EXPECT_EQ(serial.LoadDouble(stream), -1.0);  // a VT_I4 where a double belongs
  EXPECT_EQ(serial.LoadInt(stream), -1);       // VT_I4 is not VT_INT
  EXPECT_EQ(serial.LoadLong(stream), -1);
  EXPECT_EQ(serial.LoadVarBool(stream), VARIANT_TRUE);
  EXPECT_FALSE(serial.LoadBool(stream));
  EXPECT_FALSE(serial.LoadBSTR(stream));
  // Past the end: the defaults again, with the failed read reported.
  EXPECT_EQ(serial.LoadDouble(stream), -1.0);
  EXPECT_NE(LastLogLine().find(L"COM Error: 80004005"), std::wstring::npos);
}

TEST_F(SerialHelperTest, PlainFlagsAreTrueOnlyForVariantTrue) {
  SerialHelper serial;
  VARIANT one;
  VariantInit(&one);
  one.vt = VT_BOOL;
  one.boolVal = 1;
  CComPtr<IVariantStream> stream = StreamOf({CComVariant(one), CComVariant(true)});
  EXPECT_FALSE(serial.LoadBool(stream));
  EXPECT_TRUE(serial.LoadBool(stream));
  Rewind(stream);
  EXPECT_EQ(serial.LoadVarBool(stream), 1);
}

TEST_F(SerialHelperTest, UntrustedCountsAreRefusedBeforeAnythingIsAppended) {
  SerialHelper serial;
  CComPtr<IPoint> point = NewPoint(1, 2);
  IUnknown* element = point;
  struct Case {
    const char* name;
    CComPtr<IVariantStream> stream;
  } cases[] = {
      {"negative", StreamOf({CComVariant(-1)})},
      {"huge", StreamOf({CComVariant(0x7FFFFFFF), CComVariant(element)})},
      {"ends early", StreamOf({CComVariant(3), CComVariant(element), CComVariant(element)})},
      {"not an object", StreamOf({CComVariant(1), CComVariant(4.0)})},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    CComPtr<IArray> array = Make<IArray>(CLSID_Array);
    EXPECT_THROW(serial.LoadArray(c.stream, array, IID_IPoint), ComException);
    LONG count = -1;
    ASSERT_EQ(array->get_Count(&count), S_OK);
    EXPECT_EQ(count, 0);
  }
  EXPECT_NE(LastLogLine().find(L"no usable element"), std::wstring::npos);
}

TEST_F(SerialHelperTest, UntrustedBitmapSizesAreRefused) {
  SerialHelper serial;
  struct Case {
    const char* name;
    CComPtr<IVariantStream> stream;
  } cases[] = {
      {"negative", StreamOf({Int(-2), Int(-3)})},
      {"overflowing", StreamOf({Int(0x7FFFFFFF), Int(0x7FFFFFFF)})},
      {"too large", StreamOf({Int(40000), Int(40000)})},
      {"ends early", StreamOf({Int(2), Int(3), CComVariant(char(1)), CComVariant(char(2))})},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(serial.LoadBitmapW(c.stream), ComException);
    EXPECT_NE(LastLogLine().find(L"bitmap"), std::wstring::npos);
  }
  // A record of no pixels is a null bitmap and reads nothing more.
  CComPtr<IVariantStream> empty = StreamOf({Int(0), Int(5), CComVariant(1.5)});
  EXPECT_EQ(serial.LoadBitmapW(empty), nullptr);
  EXPECT_EQ(serial.LoadDouble(empty), 1.5);
}

TEST_F(SerialHelperTest, AFailingRecordWritesNothing) {
  SerialHelper serial;
  CComPtr<IVariantStream> stream = NewStream();
  EXPECT_THROW(RecordBuffer::SaveWhole(stream,
                                       [&](IVariantStream* record) {
                                         serial.SaveDouble(record, 1.0);
                                         Fail(E_FAIL);
                                       }),
               ComException);
  RecordBuffer::SaveWhole(stream, [&](IVariantStream* record) { serial.SaveLong(record, 9); });
  Rewind(stream);
  std::vector<CComVariant> values = ReadAll(stream);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].vt, VT_I4);
}

TEST_F(SerialHelperTest, IdentifiesTheComponentClassInBracedForm) {
  CComPtr<IUID> id = SerialHelper::ClassID(CLSID_Orientation3D);
  CComVariant value;
  ASSERT_EQ(id->get_Value(&value), S_OK);
  ASSERT_EQ(value.vt, VT_BSTR);
  CLSID clsid;
  ASSERT_EQ(CLSIDFromString(value.bstrVal, &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_Orientation3D);
  EXPECT_EQ(value.bstrVal[0], L'{');
}

}  // namespace
}  // namespace zelph::test
