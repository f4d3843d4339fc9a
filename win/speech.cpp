#include "win/speech.h"

#include "win/systemlibrary.h"

#include <initguid.h>

#include <objbase.h>
#include <oleacc.h>
#include <oleauto.h>

namespace {

// UI Automation's notification, as Windows 10 (1709) has it.
enum NotificationKind { NotificationKind_ActionCompleted = 2 };
enum NotificationProcessing { NotificationProcessing_ImportantAll = 0 };

using HostProviderFromHwnd = HRESULT(WINAPI *)(HWND, IUnknown **);
using RaiseNotificationEvent = HRESULT(WINAPI *)(IUnknown *, NotificationKind,
                                                 NotificationProcessing, BSTR, BSTR);

struct Uia {
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raiseNotification = nullptr;

    Uia()
    {
        HMODULE core = systemLibrary(L"uiautomationcore.dll");
        if (!core)
            return;
        hostProvider = reinterpret_cast<HostProviderFromHwnd>(
            reinterpret_cast<void *>(GetProcAddress(core, "UiaHostProviderFromHwnd")));
        raiseNotification = reinterpret_cast<RaiseNotificationEvent>(
            reinterpret_cast<void *>(GetProcAddress(core, "UiaRaiseNotificationEvent")));
    }
};

const Uia &uia()
{
    static const Uia loaded;
    return loaded;
}

} // namespace

Speech::Speech()
{
    IAccPropServices *services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void **>(&services))))
        annotations_ = services;
}

Speech::~Speech()
{
    if (annotations_)
        annotations_->Release();
}

void Speech::name(HWND control, const std::wstring &name)
{
    if (annotations_)
        annotations_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                     name.c_str());
}

void Speech::graphic(HWND canvas, const std::wstring &name)
{
    if (!annotations_)
        return;
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    annotations_->SetHwndProp(canvas, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
    this->name(canvas, name);
}

void Speech::describe(HWND canvas, const std::wstring &description)
{
    if (annotations_)
        annotations_->SetHwndPropStr(canvas, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                     description.c_str());
}

void Speech::announce(HWND window, const std::wstring &words)
{
    const Uia &found = uia();
    if (!found.hostProvider || !found.raiseNotification)
        return;
    IUnknown *provider = nullptr;
    if (FAILED(found.hostProvider(window, &provider)) || !provider)
        return;
    BSTR text = SysAllocString(words.c_str());
    BSTR activity = SysAllocString(L"Halmira.run");
    found.raiseNotification(provider, NotificationKind_ActionCompleted,
                            NotificationProcessing_ImportantAll, text, activity);
    SysFreeString(text);
    SysFreeString(activity);
    provider->Release();
}
