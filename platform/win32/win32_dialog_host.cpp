#include "platform/win32/win32_dialog_host.h"

#include "platform/win32/win32_headers.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "platform/common/sjis.h"
#include "platform/win32/win32_dpi.h"

namespace plat::win32_port {

static_assert(kWmInitDialog == WM_INITDIALOG && kWmCommand == WM_COMMAND &&
                  kWmHScroll == WM_HSCROLL && kWmDestroy == WM_DESTROY,
              "message numbers");
static_assert(kCbnSelChange == CBN_SELCHANGE && kCbnEditChange == CBN_EDITCHANGE &&
                  kCbErr == CB_ERR && kBnClicked == BN_CLICKED,
              "notification codes");

namespace {

HWND Hwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }

LRESULT Send(WindowHandle dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(Hwnd(dialog), id, message, wParam, lParam);
}

LPARAM Text(const char* text) { return reinterpret_cast<LPARAM>(text); }

// What DialogBoxParamA carries to the dialog's first message.
struct DialogStart {
  const DialogProcedure* procedure;
  int templateId;
  IDialogTrace* trace;
};

Rect ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

// The controls in template order, which is the dialog's child order.
void TraceLaidOut(HWND dialog, const DialogStart& start) {
  if (start.trace == nullptr) return;
  std::vector<TracedControl> controls;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    controls.push_back({GetDlgCtrlID(c), ScreenRect(c)});
  start.trace->LaidOut(start.templateId, ScreenRect(dialog), WindowDpi(dialog), controls);
}

// Where a wider fallback font stands in for the dialog font, or a label at a
// high DPI comes out wider than its dialog units, a check box or a top-left
// text grows to the right (into free space only) rather than cut it short.
bool GrowsToItsText(HWND control, bool& checkBox) {
  char name[16];
  GetClassNameA(control, name, sizeof name);
  const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
  checkBox = lstrcmpiA(name, "Button") == 0 && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
  const bool topLeftText = lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_LEFT &&
                           (style & SS_CENTERIMAGE) == 0;
  return checkBox || topLeftText;
}

int TextWidth(HWND control) {
  wchar_t text[64];
  const int length = GetWindowTextW(control, text, 64);
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent = {0, 0};
  GetTextExtentPoint32W(dc, text, length, &extent);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return extent.cx;
}

RECT InDialog(HWND dialog, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The dialog's edge, or the nearest control to the right on the same rows.
LONG RightLimit(HWND dialog, HWND control, const RECT& r, UINT dpi) {
  RECT client;
  GetClientRect(dialog, &client);
  LONG limit = client.right - AtDpi(2, dpi);
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    const RECT o = InDialog(dialog, c);
    if (c != control && o.left >= r.right && o.top < r.bottom && o.bottom > r.top)
      limit = o.left - AtDpi(2, dpi) < limit ? o.left - AtDpi(2, dpi) : limit;
  }
  return limit;
}

void FitTexts(HWND dialog) {
  const UINT dpi = WindowDpi(dialog);
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    bool checkBox = false;
    if (!GrowsToItsText(c, checkBox)) continue;
    const RECT r = InDialog(dialog, c);
    const int box = checkBox ? MetricAtDpi(SM_CXMENUCHECK, dpi) + AtDpi(6, dpi) : 0;
    const LONG needed = TextWidth(c) + box;
    const LONG room = RightLimit(dialog, c, r, dpi) - r.left;
    if (needed > r.right - r.left && room > r.right - r.left)
      SetWindowPos(c, nullptr, 0, 0, needed < room ? needed : room, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Sent to itself after a move to a monitor of another DPI, once the dialog
// manager has scaled the dialog and its fonts.
constexpr UINT kRefitTexts = WM_APP + 0x13;

// The procedure travels as DialogBoxParamA's parameter and is kept in the
// dialog's user slot; messages before WM_INITDIALOG (WM_SETFONT) go unhandled.
INT_PTR CALLBACK DialogThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* start = reinterpret_cast<const DialogStart*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    start = reinterpret_cast<const DialogStart*>(lParam);
    lParam = 0;  // the initial parameter the procedure sees
  }
  if (start == nullptr) return FALSE;
  if (message == WM_DPICHANGED) PostMessageA(hwnd, kRefitTexts, 0, 0);  // then scaled as usual
  if (message == kRefitTexts) {
    FitTexts(hwnd);
    return TRUE;
  }
  const INT_PTR handled =
      (*start->procedure)(reinterpret_cast<WindowHandle>(hwnd), message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    FitTexts(hwnd);
    TraceLaidOut(hwnd, *start);
  }
  return handled;
}

}  // namespace

Win32DialogHost::Win32DialogHost() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
}

std::intptr_t Win32DialogHost::RunModal(InstanceHandle instance, int templateId,
                                        WindowHandle parent, const DialogProcedure& procedure) {
  const DialogStart start{&procedure, templateId, trace_};
  const INT_PTR result =
      DialogBoxParamA(reinterpret_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId),
                      Hwnd(parent), DialogThunk, reinterpret_cast<LPARAM>(&start));
  if (trace_ != nullptr) trace_->Closed(templateId, result);
  return result;
}

void Win32DialogHost::EndDialog(WindowHandle dialog, std::intptr_t result) {
  ::EndDialog(Hwnd(dialog), result);
}

int Win32DialogHost::ControlId(WindowHandle control) { return GetDlgCtrlID(Hwnd(control)); }

void Win32DialogHost::SetSliderRange(WindowHandle dialog, int id, std::int32_t minimum,
                                     std::int32_t maximum) {
  Send(dialog, id, TBM_SETRANGE, TRUE, MAKELONG(minimum, maximum));
}

void Win32DialogHost::SetSliderPageSize(WindowHandle dialog, int id, std::int32_t size) {
  Send(dialog, id, TBM_SETPAGESIZE, 0, size);
}

void Win32DialogHost::SetSliderLineSize(WindowHandle dialog, int id, std::int32_t size) {
  Send(dialog, id, TBM_SETLINESIZE, 0, size);
}

void Win32DialogHost::SetSliderPos(WindowHandle dialog, int id, std::int32_t position) {
  Send(dialog, id, TBM_SETPOS, TRUE, position);
}

std::int32_t Win32DialogHost::GetSliderPos(WindowHandle dialog, int id) {
  return static_cast<std::int32_t>(Send(dialog, id, TBM_GETPOS, 0, 0));
}

int Win32DialogHost::AddListText(WindowHandle dialog, int id, const char* text) {
  return static_cast<int>(Send(dialog, id, CB_ADDSTRING, 0, Text(text)));
}

int Win32DialogHost::SelectListPrefix(WindowHandle dialog, int id, const char* prefix) {
  return static_cast<int>(Send(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1), Text(prefix)));
}

int Win32DialogHost::FindListExact(WindowHandle dialog, int id, const char* text) {
  return static_cast<int>(
      Send(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text(text)));
}

bool Win32DialogHost::DeleteListEntry(WindowHandle dialog, int id, int index) {
  return Send(dialog, id, CB_DELETESTRING, static_cast<WPARAM>(index), 0) != CB_ERR;
}

// CB_GETLBTEXT writes the whole entry whatever the area's size: an entry that
// would not fit goes through a buffer of its own length first.
int Win32DialogHost::GetSelectedListText(WindowHandle dialog, int id, char* buffer,
                                         std::uint32_t size) {
  if (size == 0) return kCbErr;
  buffer[0] = '\0';
  const LRESULT index = Send(dialog, id, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return kCbErr;
  const LRESULT length = Send(dialog, id, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return kCbErr;
  std::vector<char> whole(static_cast<std::size_t>(length) + 1, '\0');
  if (Send(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(whole.data())) == CB_ERR)
    return kCbErr;
  return static_cast<int>(sjis::CopyBounded(buffer, size, whole.data()));
}

void Win32DialogHost::LimitText(WindowHandle dialog, int id, int bytes) {
  Send(dialog, id, CB_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
}

std::uint32_t Win32DialogHost::GetItemText(WindowHandle dialog, int id, char* buffer,
                                           std::uint32_t size) {
  return GetDlgItemTextA(Hwnd(dialog), id, buffer, static_cast<int>(size));
}

void Win32DialogHost::SetItemText(WindowHandle dialog, int id, const char* text) {
  SetDlgItemTextA(Hwnd(dialog), id, text);
}

void Win32DialogHost::CheckButton(WindowHandle dialog, int id, bool checked) {
  CheckDlgButton(Hwnd(dialog), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogHost::IsButtonChecked(WindowHandle dialog, int id) {
  return IsDlgButtonChecked(Hwnd(dialog), id) == BST_CHECKED;
}

// A control disabled while it has the focus would take the focus with it,
// and the dialog would no longer see Esc or Enter: move it on first.
void Win32DialogHost::EnableItem(WindowHandle dialog, int id, bool enabled) {
  HWND control = GetDlgItem(Hwnd(dialog), id);
  if (!enabled && control != nullptr && GetFocus() == control)
    SendMessageA(Hwnd(dialog), WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(control, enabled ? TRUE : FALSE);
}

}  // namespace plat::win32_port
