// The host's arrays, sets and UIDs.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"

namespace {

// Objects to hold: points, told apart by their x.
CComPtr<IUnknown> Item(double x) {
  CComPtr<IPoint> point;
  EXPECT_EQ(point.CoCreateInstance(CLSID_Point), S_OK);
  point->PutCoords(x, 0);
  return CComPtr<IUnknown>(point.p);
}

double XOf(IUnknown* item) {
  double x = -1;
  CComQIPtr<IPoint>(item)->get_X(&x);
  return x;
}

std::vector<double> Contents(IArray* array) {
  LONG count = 0;
  EXPECT_EQ(array->get_Count(&count), S_OK);
  std::vector<double> xs;
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IUnknown> element;
    EXPECT_EQ(array->get_Element(i, &element), S_OK);
    xs.push_back(XOf(element));
  }
  return xs;
}

std::vector<double> Walk(ISet* set) {
  EXPECT_EQ(set->Reset(), S_OK);
  std::vector<double> xs;
  CComPtr<IUnknown> element;
  while (set->Next(&element) == S_OK) xs.push_back(XOf(element));
  EXPECT_FALSE(element);
  return xs;
}

TEST(Collection, ArraysKeepOrderAndRefuseIndexesOutOfRange) {
  CComPtr<IArray> array;
  ASSERT_EQ(array.CoCreateInstance(CLSID_Array), S_OK);
  EXPECT_TRUE(Contents(array).empty());
  ASSERT_EQ(array->Add(Item(1)), S_OK);
  ASSERT_EQ(array->Add(Item(3)), S_OK);
  ASSERT_EQ(array->Insert(1, Item(2)), S_OK);
  ASSERT_EQ(array->Insert(0, Item(0)), S_OK);
  ASSERT_EQ(array->Insert(4, Item(4)), S_OK);  // at the count: appended
  EXPECT_EQ(Contents(array), (std::vector<double>{0, 1, 2, 3, 4}));

  EXPECT_EQ(array->Insert(6, Item(9)), E_INVALIDARG);
  EXPECT_EQ(array->Remove(5), E_INVALIDARG);
  CComPtr<IUnknown> element = Item(9);
  EXPECT_EQ(array->get_Element(5, &element), E_INVALIDARG);
  EXPECT_FALSE(element);
  EXPECT_EQ(Contents(array), (std::vector<double>{0, 1, 2, 3, 4}));

  ASSERT_EQ(array->Remove(0), S_OK);
  ASSERT_EQ(array->Remove(2), S_OK);
  EXPECT_EQ(Contents(array), (std::vector<double>{1, 2, 4}));
  ASSERT_EQ(array->RemoveAll(), S_OK);
  EXPECT_TRUE(Contents(array).empty());
}

TEST(Collection, SetsHoldEachObjectOnceAndWalkInOrderOfAddition) {
  CComPtr<ISet> set;
  ASSERT_EQ(set.CoCreateInstance(CLSID_Set), S_OK);
  CComPtr<IUnknown> a = Item(1), b = Item(2), c = Item(3);
  EXPECT_EQ(set->Add(a), S_OK);
  EXPECT_EQ(set->Add(b), S_OK);
  // Another interface of the same object is the same element.
  EXPECT_EQ(set->Add(CComQIPtr<IGeometry>(a)), S_FALSE);
  EXPECT_EQ(set->Add(c), S_OK);
  LONG count = 0;
  EXPECT_EQ(set->get_Count(&count), S_OK);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Walk(set), (std::vector<double>{1, 2, 3}));

  VARIANT_BOOL found = VARIANT_FALSE;
  EXPECT_EQ(set->Find(CComQIPtr<IPoint>(b), &found), S_OK);
  EXPECT_EQ(found, VARIANT_TRUE);
  EXPECT_EQ(set->Find(Item(2), &found), S_OK);  // equal coordinates, another object
  EXPECT_EQ(found, VARIANT_FALSE);

  // Removing an element already walked past does not skip the next one.
  ASSERT_EQ(set->Reset(), S_OK);
  CComPtr<IUnknown> next;
  ASSERT_EQ(set->Next(&next), S_OK);
  ASSERT_EQ(set->Next(&next), S_OK);
  EXPECT_EQ(set->Remove(a), S_OK);
  ASSERT_EQ(set->Next(&next), S_OK);
  EXPECT_EQ(XOf(next), 3.0);
  EXPECT_EQ(set->Next(&next), S_FALSE);
  EXPECT_EQ(set->Remove(a), S_FALSE);

  EXPECT_EQ(Walk(set), (std::vector<double>{2, 3}));
  ASSERT_EQ(set->RemoveAll(), S_OK);
  EXPECT_TRUE(Walk(set).empty());
}

std::wstring ValueOf(IUID* uid) {
  CComVariant value;
  EXPECT_EQ(uid->get_Value(&value), S_OK);
  if (value.vt == VT_EMPTY) return L"(empty)";
  EXPECT_EQ(value.vt, VT_BSTR);
  return std::wstring(CComBSTR(value.bstrVal).View());
}

TEST(Collection, UidsHoldBracedClassIdsOnly) {
  CComPtr<IUID> uid;
  ASSERT_EQ(uid.CoCreateInstance(CLSID_UID), S_OK);
  EXPECT_EQ(ValueOf(uid), L"(empty)");
  ASSERT_EQ(uid->put_Value(CComVariant(L"{cfa06b46-8c9d-4a91-a46f-0384825cc38d}")), S_OK);
  EXPECT_EQ(ValueOf(uid), L"{CFA06B46-8C9D-4A91-A46F-0384825CC38D}");
  for (const CComVariant& bad :
       {CComVariant(L"CFA06B46-8C9D-4A91-A46F-0384825CC38D"), CComVariant(L"{CFA06B46-8C9D-4A91-A46F-0384825CC38}"),
        CComVariant(L""), CComVariant(L"{CFA06B46-8C9D-4A91-A46F-0384825CC38D}x"), CComVariant(12), CComVariant()}) {
    EXPECT_EQ(uid->put_Value(bad), E_INVALIDARG);
  }
  EXPECT_EQ(ValueOf(uid), L"{CFA06B46-8C9D-4A91-A46F-0384825CC38D}");

  std::set<std::wstring> generated;
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(uid->Generate(), S_OK);
    std::wstring value = ValueOf(uid);
    CLSID parsed;
    EXPECT_EQ(CLSIDFromString(value.c_str(), &parsed), S_OK);
    generated.insert(value);
  }
  EXPECT_EQ(generated.size(), 20u);
}

}  // namespace
