// The handset's OBEX service: the COM interfaces a program beams files with.
// The server is "vmobex.dll" in "\Windows", registered in the handset's
// registry under CLSID_Obex; a program creates the service object and, for
// each object it sends, a header collection (CLSID_HeaderCollection):
//
//   IObex* obex;  CoCreateInstance(CLSID_Obex, nullptr, CLSCTX_INPROC_SERVER,
//       IID_IObex, (void**)&obex);
//   obex->Initialize();
//   obex->QueryInterface(IID_IConnectionPointContainer, ...);
//   container->FindConnectionPoint(IID_IObexSink, &point);
//   point->Advise(sink, &cookie);      obex->StartDeviceEnum();
//   sink->Notify(OE_DEVICE_ARRIVAL, propertyBag, nullptr)   (the service's thread)
//   obex->BindToDevice(propertyBag, &device);
//   device->Connect(nullptr, 0, headers);
//   headers->AddName(L"photo.jpg");  device->Put(headers, &stream);
//   stream->Write(...) ...;  stream->Commit(STGC_DEFAULT);  stream->Release();
//   device->Disconnect(headers);  obex->Shutdown();
//
// Sinks are called on the service's own thread, once a device comes into
// range (arrival), leaves it (departure) or changes its name (update); the
// first parameter is the device's property bag (IPropertyBag with "Name" and
// "Address", both texts), the second is null. A put's object is complete
// when its stream is committed: an object whose stream is released without a
// commit, or whose link broke while it was written, is discarded by the
// receiving device.
//
// The interfaces keep the methods the platform's documentation gives them,
// in the order of this header.
#pragma once

#include <objbase.h>
#include <ocidl.h>
#include <windows.h>

// {30A7BC00-59B6-40BB-AA2B-89EB49EF274E}
inline constexpr CLSID CLSID_Obex = {0x30A7BC00, 0x59B6, 0x40BB, {0xAA, 0x2B, 0x89, 0xEB, 0x49, 0xEF, 0x27, 0x4E}};
// {0C5A5B12-2979-42D1-9E15-A63E34383B58}
inline constexpr IID IID_IObex = {0x0C5A5B12, 0x2979, 0x42D1, {0x9E, 0x15, 0xA6, 0x3E, 0x34, 0x38, 0x3B, 0x58}};
// {30A7BC01-59B6-40BB-AA2B-89EB49EF274E}
inline constexpr CLSID CLSID_HeaderCollection = {
    0x30A7BC01, 0x59B6, 0x40BB, {0xAA, 0x2B, 0x89, 0xEB, 0x49, 0xEF, 0x27, 0x4E}};
// {6561D66B-8CC1-49F9-8071-632D288EDAF3}
inline constexpr IID IID_IHeaderCollection = {
    0x6561D66B, 0x8CC1, 0x49F9, {0x80, 0x71, 0x63, 0x2D, 0x28, 0x8E, 0xDA, 0xF3}};
// {80DFC5AB-BF07-4612-BACE-AEBC0129590A}
inline constexpr IID IID_IObexSink = {0x80DFC5AB, 0xBF07, 0x4612, {0xBA, 0xCE, 0xAE, 0xBC, 0x01, 0x29, 0x59, 0x0A}};
// {2A1D4F3C-6B7E-4C61-9F42-0D5E8A7C3B10}: this handset's device interface.
inline constexpr IID IID_IObexDevice = {0x2A1D4F3C, 0x6B7E, 0x4C61, {0x9F, 0x42, 0x0D, 0x5E, 0x8A, 0x7C, 0x3B, 0x10}};

enum OBEX_EVENT {
    OE_QUERY_PASSWORD = 0,
    OE_NEW_CONNECTION = 1,
    OE_NEW_COMMAND = 2,
    OE_ABORT = 3,
    OE_DISCONNECT = 4,
    OE_DEVICE_ARRIVAL = 5,
    OE_DEVICE_DEPARTURE = 6,
    OE_DEVICE_UPDATE = 7,
};

// Failures: a call before Initialize, or after Shutdown, gives
// HRESULT_FROM_WIN32(ERROR_NOT_READY); a device out of range, or a link that
// broke, HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED).

struct IHeaderCollection : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AddByteArray(BYTE id, unsigned long size, BYTE* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddConnectionId(unsigned long connectionId) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddCount(unsigned long count) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddDescription(LPCWSTR description) = 0;
    // The size of the object that follows, in bytes.
    virtual HRESULT STDMETHODCALLTYPE AddLength(unsigned long length) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddLong(BYTE id, unsigned long value) = 0;
    // The object's file name (a name, without folders).
    virtual HRESULT STDMETHODCALLTYPE AddName(LPCWSTR name) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddTarget(unsigned long size, BYTE* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddUnicodeString(BYTE id, LPCWSTR text) = 0;
    virtual HRESULT STDMETHODCALLTYPE Remove(BYTE id) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveAll() = 0;
};

struct IObexDevice : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Abort(IHeaderCollection* headers) = 0;
    // A device out of range refuses.
    virtual HRESULT STDMETHODCALLTYPE Connect(LPCWSTR password, DWORD capability, IHeaderCollection* headers) = 0;
    virtual HRESULT STDMETHODCALLTYPE Disconnect(IHeaderCollection* headers) = 0;
    // IID_IPropertyBag: the device's property bag.
    virtual HRESULT STDMETHODCALLTYPE EnumProperties(REFIID iid, void** out) = 0;
    // This handset's devices only take objects: E_NOTIMPL.
    virtual HRESULT STDMETHODCALLTYPE Get(IHeaderCollection* headers, IStream** stream) = 0;
    // Starts sending the object the headers name (a Name header is required);
    // the stream takes its bytes.
    virtual HRESULT STDMETHODCALLTYPE Put(IHeaderCollection* headers, IStream** stream) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPassword(LPCWSTR password) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR name, DWORD flags, IHeaderCollection* headers) = 0;
};

struct IObexSink : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Notify(OBEX_EVENT event, IUnknown* first, IUnknown* second) = 0;
};

struct IObex : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE BindToDevice(IPropertyBag* properties, IObexDevice** device) = 0;
    // The devices found so far; this handset has no device enumerator
    // object: E_NOTIMPL.
    virtual HRESULT STDMETHODCALLTYPE EnumDevices(IUnknown** devices, REFCLSID transport) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumTransports(IUnknown** transports) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
    virtual HRESULT STDMETHODCALLTYPE Shutdown() = 0;
    // Sinks hear of every device in range, then of each change.
    virtual HRESULT STDMETHODCALLTYPE StartDeviceEnum() = 0;
    virtual HRESULT STDMETHODCALLTYPE StopDeviceEnum() = 0;
};
