#include "platform/win32/Win32shell.h"

#include "platform/os/Systemerror.h"
#include "platform/win32/Win.h"

#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <utility>

namespace {

std::string SystemMessage(HRESULT result) {
    return SystemErrorText(static_cast<unsigned long>(result));
}

// COM for the time of one link. A thread that has COM already keeps it: a successful call (also
// S_FALSE, already initialised) is balanced, a refused one (another threading model) is not.
class TComInitialization {
public:
    TComInitialization() : Result(::CoInitialize(nullptr)) {}
    TComInitialization(const TComInitialization&) = delete;
    TComInitialization& operator=(const TComInitialization&) = delete;
    ~TComInitialization() {
        if (SUCCEEDED(Result)) {
            ::CoUninitialize();
        }
    }

private:
    HRESULT Result;
};

// A COM interface, released by its owner.
template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr() {
        if (Pointer) {
            Pointer->Release();
        }
    }
    T* operator->() const { return Pointer; }
    explicit operator bool() const { return Pointer != nullptr; }
    // Where a function that makes the object puts it.
    void** Out() { return reinterpret_cast<void**>(&Pointer); }

private:
    T* Pointer = nullptr;
};

// An item id list that the shell allocated, freed with the task allocator.
class TItemIdList {
public:
    TItemIdList() = default;
    TItemIdList(const TItemIdList&) = delete;
    TItemIdList& operator=(const TItemIdList&) = delete;
    ~TItemIdList() { ::CoTaskMemFree(List); }
    LPITEMIDLIST* Out() { return &List; }
    LPCITEMIDLIST Get() const { return List; }

private:
    LPITEMIDLIST List = nullptr;
};

// name in UTF-16, converted in the system's ANSI code page; empty when it cannot be.
std::wstring WideName(const std::string& name) {
    const int length = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, name.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, name.c_str(), -1, wide.data(), length);
    wide.resize(std::size_t(length - 1));
    return wide;
}

} // namespace

std::string TWin32Shell::SpecialFolderPath(int csidl) {
    TItemIdList list;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.Out())) || !list.Get()) {
        return "";
    }
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(list.Get(), path)) {
        return "";
    }
    return path;
}

std::string TWin32Shell::SaveShellLink(const TShellLink& link, const std::string& fileName) {
    // The initialisation outlives every object made under it.
    const TComInitialization com;
    TComPtr<IShellLinkA> shellLink;
    const HRESULT created = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IShellLinkA, shellLink.Out());
    if (FAILED(created) || !shellLink) {
        return "The system cannot make a shell link: " + SystemMessage(created) + ".";
    }

    // A link that lost a property would start the wrong thing: each must be taken.
    const std::pair<const char*, HRESULT> properties[] = {
        {"target", shellLink->SetPath(link.Path.c_str())},
        {"arguments", shellLink->SetArguments(link.Arguments.c_str())},
        {"working folder", shellLink->SetWorkingDirectory(link.WorkingDirectory.c_str())},
        {"description", shellLink->SetDescription(link.Description.c_str())},
        {"hot key", shellLink->SetHotkey(link.Hotkey)},
    };
    for (const auto& [property, result] : properties) {
        if (FAILED(result)) {
            return std::string("The shell link refused its ") + property + ": " +
                   SystemMessage(result) + ".";
        }
    }

    TComPtr<IPersistFile> persistFile;
    const HRESULT persistent = shellLink->QueryInterface(IID_IPersistFile, persistFile.Out());
    if (FAILED(persistent) || !persistFile) {
        return "The shell link cannot be saved to a file: " + SystemMessage(persistent) + ".";
    }

    const std::wstring wideName = WideName(fileName);
    if (wideName.empty()) {
        return "Cannot write " + fileName + ": the name has no UTF-16 form.";
    }
    const HRESULT saved = persistFile->Save(wideName.c_str(), TRUE);
    if (FAILED(saved)) {
        return "Cannot write " + fileName + ": " + SystemMessage(saved) + ".";
    }
    return "";
}
