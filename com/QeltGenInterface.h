#pragma once
// The host's main plug-in interface. The slot order, argument order and
// widths are a binary contract with the host: never reorder or retype.
#include <objbase.h>

namespace filedata::com {

inline constexpr GUID IID_IQeltGen = {0x4B1160AE, 0x8CD7, 0x4070, {0xB8, 0xB5, 0x5C, 0xD4, 0x6A, 0x31, 0xE9, 0x65}};

struct IQeltGen : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetName(const char** name) = 0;                          // slot 3
  virtual HRESULT STDMETHODCALLTYPE GetVersionA(WORD* value) = 0;                            // slot 4
  virtual HRESULT STDMETHODCALLTYPE GetVersionB(WORD* value) = 0;                            // slot 5
  virtual HRESULT STDMETHODCALLTYPE SetHostValue(LONG value) = 0;                            // slot 6
  virtual HRESULT STDMETHODCALLTYPE GetLastErrorText(const char** text) = 0;                 // slot 7
  virtual HRESULT STDMETHODCALLTYPE GetAboutCount(LONG* count) = 0;                          // slot 8
  virtual HRESULT STDMETHODCALLTYPE GetAboutItem(LONG index, const char** key, const char** value) = 0;  // slot 9
  virtual HRESULT STDMETHODCALLTYPE GetDataCount(LONG* count) = 0;                           // slot 10
  virtual HRESULT STDMETHODCALLTYPE GetDataInfo(LONG index, const char** name, BYTE* kind) = 0;  // slot 11
  virtual HRESULT STDMETHODCALLTYPE GetData(LONG itemIndex, const char* params, const char** itemName,
                                            BYTE* valueKind, const char** text, double* number) = 0;  // slot 12
  virtual HRESULT STDMETHODCALLTYPE HostHookA() = 0;                                         // slot 13
  virtual HRESULT STDMETHODCALLTYPE HostHookB() = 0;                                         // slot 14
  virtual HRESULT STDMETHODCALLTYPE OptionalRequest() = 0;                                   // slot 15
  virtual HRESULT STDMETHODCALLTYPE GetParamCount(LONG itemIndex, LONG* count) = 0;          // slot 16
  virtual HRESULT STDMETHODCALLTYPE GetParamInfo(LONG itemIndex, LONG paramIndex, const char** name,
                                                 const char** defaultValue, const char** description) = 0;  // slot 17
  virtual HRESULT STDMETHODCALLTYPE GetAdvancedParamCount(LONG itemIndex, LONG* count) = 0;  // slot 18
  virtual HRESULT STDMETHODCALLTYPE GetAdvancedParamInfo(LONG itemIndex, LONG paramIndex, const char** name,
                                                         const char** defaultValue,
                                                         const char** description) = 0;  // slot 19
};

}  // namespace filedata::com
