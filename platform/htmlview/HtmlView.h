// The handset's HTML viewer control, "htmlview.dll".
//
// A program loads the library, calls InitHTMLControl once and creates child
// windows of the class WC_HTML ("DISPLAYCLASS"). It feeds a page with
// DTM_ADDTEXTW and DTM_ENDOFSOURCE (or all at once with WM_SETTEXT) and hears
// back through WM_NOTIFY: NM_HOTSPOT when the user follows a link,
// NM_INLINE_IMAGE when the page needs a picture. Messages, numbers and
// structures are those of the handset's own viewer, so that code written for
// the handset compiles unchanged.
//
// What the viewer understands: html, body, br, p (align), div (align), center,
// b/strong, i/em, u, font (size 1..7, +n, -n; color), a href, a name,
// img src/width/height/alt, hr; the entities &amp; &lt; &gt; &quot; &apos;
// &nbsp; &copy; &reg; and &#NNN; / &#xHH;. Other tags are ignored, their text
// is shown.
#pragma once

#include <windows.h>

// ---- window class --------------------------------------------------------

#define WC_HTML L"DISPLAYCLASS"

// ---- messages to the viewer -----------------------------------------------

// wParam: TRUE when lParam is plain text rather than HTML; lParam: the text
// (const wchar_t*). Appends to the page source; nothing is shown until
// DTM_ENDOFSOURCE.
#define DTM_ADDTEXTW (WM_USER + 102)

// wParam 0, lParam: INLINEIMAGEINFO*. The answer to NM_INLINE_IMAGE. With
// bOwnBitmap FALSE the viewer copies the bitmap and the sender keeps its own;
// with TRUE the viewer takes the bitmap and deletes it with the page.
#define DTM_SETIMAGE (WM_USER + 103)

// wParam 0, lParam 0. The source is complete: the page is laid out, shown
// from the top, and every <img> is asked for with NM_INLINE_IMAGE.
#define DTM_ENDOFSOURCE (WM_USER + 104)

// wParam 0, lParam: the cookie of an NM_INLINE_IMAGE that cannot be
// answered. The image shows as an empty box.
#define DTM_IMAGEFAIL (WM_USER + 109)

// An option of the handset's viewer (sent with wParam 1 after creation).
// This viewer always renders at the page's own sizes and accepts the message
// without effect.
#define DTM_VIEWEROPTION (WM_USER + 114)

// wParam: flags (ignored); lParam: the target (const wchar_t*). "#name"
// scrolls the anchor <a name="name"> to the top of the window and returns
// TRUE. The viewer loads no other pages: any other target returns FALSE and
// sends nothing, so a parent may call it from its NM_HOTSPOT handler.
#define DTM_NAVIGATE (WM_USER + 120)

// WM_SETTEXT replaces the whole source with lParam's HTML and shows it (an
// empty text clears the page). WM_GETTEXT and WM_GETTEXTLENGTH answer the text
// of the lines the window shows now, joined by "\r\n".

// ---- notifications to the parent (WM_NOTIFY, lParam: NM_HTMLVIEW*) ---------

// The user followed a link: szTarget is its href. A parent that returns 0
// leaves the link to the viewer, which navigates to "#name" targets itself.
#define NM_HOTSPOT (WM_USER + 101)

// The page needs a picture: szTarget is the img's src, dwCookie identifies the
// request. Answer with DTM_SETIMAGE or DTM_IMAGEFAIL, now or later; until
// then the picture's place is an empty box. (An answer for a page that has
// since been replaced is refused.)
#define NM_INLINE_IMAGE (WM_USER + 102)

typedef struct tagNM_HTMLVIEW {
    NMHDR hdr;
    const wchar_t* szTarget;
    const wchar_t* szData;
    DWORD_PTR dwCookie;
    const wchar_t* szExInfo;
} NM_HTMLVIEW;

typedef struct tagINLINEIMAGEINFO {
    DWORD_PTR dwCookie;
    int iOrigHeight;  // 0: take the bitmap's own height
    int iOrigWidth;   // 0: take the bitmap's own width
    HBITMAP hbm;
    BOOL bOwnBitmap;
} INLINEIMAGEINFO;

// ---- the library's one export ---------------------------------------------

#ifdef HTMLVIEW_BUILDING_DLL
#define HTMLVIEW_API __declspec(dllexport)
#else
#define HTMLVIEW_API
#endif

// Registers the window class WC_HTML for this process (once; later calls only
// confirm it). `instance` is the caller's module; the class belongs to the
// library, so windows may be created with either module handle. TRUE when the
// class is available.
extern "C" HTMLVIEW_API BOOL WINAPI InitHTMLControl(HINSTANCE instance);

// For callers that load the library at run time.
typedef BOOL(WINAPI* InitHTMLControlProc)(HINSTANCE instance);
