#include "tests/com/ComTestKit.h"

namespace filedata::com::test {

const GUID IID_ITestA = {0x6a1c33e0, 0x1f4b, 0x4c55, {0x9d, 0x21, 0x0b, 0x7e, 0x52, 0x11, 0xa0, 0x01}};
const GUID IID_ITestB = {0x6a1c33e0, 0x1f4b, 0x4c55, {0x9d, 0x21, 0x0b, 0x7e, 0x52, 0x11, 0xa0, 0x02}};
const GUID CLSID_TestObject = {0x6a1c33e0, 0x1f4b, 0x4c55, {0x9d, 0x21, 0x0b, 0x7e, 0x52, 0x11, 0xa0, 0x10}};

namespace {
const TInterfaceEntry kTestObjectEntries[] = {InterfaceEntry<TTestObject, ITestA>(IID_ITestA)};
const TInterfaceEntry kTestChildEntries[] = {InterfaceEntry<TTestChild, ITestB>(IID_ITestB)};
}  // namespace

const TInterfaceTable TTestObject::Interfaces{kTestObjectEntries, &TComObject::Interfaces};
const TInterfaceTable TTestChild::Interfaces{kTestChildEntries, &TTestObject::Interfaces};

}  // namespace filedata::com::test
