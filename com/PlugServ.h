#pragma once
// The plug-in object: answers the host's three interfaces, and the tools'
// explanation and file-view interfaces, by forwarding every slot to the portable plug-in
// object's operation of the same name.
#include <windows.h>

#include "com/ComObject.h"
#include "com/FiledataExplainInterface.h"
#include "com/FiledataFileViewInterface.h"
#include "com/GuidFromText.h"
#include "com/PlugInClass.h"
#include "com/QeltAutoUpdateInterface.h"
#include "com/QeltEditorSupportInterface.h"
#include "com/QeltGenInterface.h"
#include "plugin/PlugIn.h"

namespace filedata::com {

inline constexpr CLSID CLSID_FileData = GuidFromText(kPlugInClassId);

class TComServerObject;
class TComObjectFactory;

// TFileData: the plug-in's COM object, TPlugIn behind the three host
// interfaces and the tools' two.
class TFileData final : public TComObject,
                        public TDelegatingInterface<TFileData, IQeltEditorSupport>,
                        public TDelegatingInterface<TFileData, IQeltAutoUpdate>,
                        public TDelegatingInterface<TFileData, IQeltGen>,
                        public TDelegatingInterface<TFileData, IFiledataExplain>,
                        public TDelegatingInterface<TFileData, IFiledataFileView> {
 public:
  using TComObject::TComObject;
  static const TInterfaceTable Interfaces;

  // IQeltGen
  HRESULT STDMETHODCALLTYPE GetName(const char** name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetVersionA(WORD* value) noexcept override;
  HRESULT STDMETHODCALLTYPE GetVersionB(WORD* value) noexcept override;
  HRESULT STDMETHODCALLTYPE SetHostValue(LONG value) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLastErrorText(const char** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAboutCount(LONG* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAboutItem(LONG index, const char** key, const char** value) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDataCount(LONG* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDataInfo(LONG index, const char** name, BYTE* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE GetData(LONG itemIndex, const char* params, const char** itemName, BYTE* valueKind,
                                    const char** text, double* number) noexcept override;
  HRESULT STDMETHODCALLTYPE HostHookA() noexcept override;
  HRESULT STDMETHODCALLTYPE HostHookB() noexcept override;
  HRESULT STDMETHODCALLTYPE OptionalRequest() noexcept override;
  HRESULT STDMETHODCALLTYPE GetParamCount(LONG itemIndex, LONG* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetParamInfo(LONG itemIndex, LONG paramIndex, const char** name,
                                         const char** defaultValue, const char** description) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAdvancedParamCount(LONG itemIndex, LONG* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAdvancedParamInfo(LONG itemIndex, LONG paramIndex, const char** name,
                                                 const char** defaultValue,
                                                 const char** description) noexcept override;
  // IQeltEditorSupport
  HRESULT STDMETHODCALLTYPE GetEditorFlags(LONG itemIndex, BYTE* flags) noexcept override;
  HRESULT STDMETHODCALLTYPE GetParamEditor(LONG itemIndex, const char* paramName, BYTE* editorKind,
                                           const char** editorText) noexcept override;
  // IQeltAutoUpdate
  HRESULT STDMETHODCALLTYPE GetUpdateLocation(const char** location) noexcept override;
  // IFiledataExplain
  HRESULT STDMETHODCALLTYPE ExplainData(LONG itemIndex, const char* params, const char** itemName, BYTE* valueKind,
                                        const char** text, double* number, const char** steps) noexcept override;
  // IFiledataFileView
  HRESULT STDMETHODCALLTYPE ExplainWithView(LONG itemIndex, const char* params, const char** itemName,
                                            BYTE* valueKind, const char** text, double* number, const char** steps,
                                            const char** view) noexcept override;

 protected:
  const TInterfaceTable& InterfaceTable() const noexcept override { return Interfaces; }

 private:
  TPlugIn plugIn_;
};

// The plug-in class's factory, entered into the class manager; the server
// destroys it at unload.
TComObjectFactory* CreatePlugInFactory(TComServerObject& server);

}  // namespace filedata::com
