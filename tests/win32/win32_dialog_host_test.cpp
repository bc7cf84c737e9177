// The Windows dialog host against the real dialog manager (under Wine in our
// runs): the generated template resource matches the layout data, and the
// control operations behave as the handlers rely on.
#include "platform/win32/win32_headers.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/win32_dialog_host.h"
#include "saver/dialog_layout.h"

namespace {

// A cursor over a DLGTEMPLATEEX resource.
struct Reader {
  const BYTE* p;
  WORD Word() { WORD v; std::memcpy(&v, p, 2); p += 2; return v; }
  DWORD Dword() { DWORD v; std::memcpy(&v, p, 4); p += 4; return v; }
  void AlignDword(const BYTE* base) { while ((p - base) % 4 != 0) ++p; }
  // sz_Or_Ord: a string as code page 932, or "#n" for an ordinal.
  std::string Name() {
    const WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    std::wstring wide;
    for (WORD c = first; c != 0; c = Word()) wide.push_back(static_cast<wchar_t>(c));
    char out[512] = "";
    WideCharToMultiByte(932, 0, wide.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
  }
};

std::string ClassName(plat::ControlKind kind) {
  switch (plat::ClassOf(kind)) {
    case plat::ControlClass::Button: return "BUTTON";
    case plat::ControlClass::Edit: return "EDIT";
    case plat::ControlClass::Static: return "STATIC";
    case plat::ControlClass::ComboBox: return "COMBOBOX";
    case plat::ControlClass::Trackbar: break;
  }
  return "MSCTLS_TRACKBAR32";
}

// A class as the resource names it, by string or by predefined ordinal.
std::string ResourceClass(std::string name) {
  const char* ordinals[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
  if (name.size() == 4 && name[0] == '#') {
    const int ordinal = std::stoi(name.substr(1)) - 0x80;
    if (ordinal >= 0 && ordinal < 6) return ordinals[ordinal];
  }
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

void CheckTemplate(const plat::DialogTemplate& t) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(t.id), MAKEINTRESOURCEA(5));
  ASSERT_NE(nullptr, found) << t.id;
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  Reader r{base};
  EXPECT_EQ(1, r.Word());
  EXPECT_EQ(0xFFFF, r.Word());
  r.Dword();  // help id
  r.Dword();  // extended style
  EXPECT_EQ(t.style | DS_SETFONT, r.Dword());
  ASSERT_EQ(t.controlCount, r.Word());
  r.Word(), r.Word();
  EXPECT_EQ(t.w, static_cast<short>(r.Word()));
  EXPECT_EQ(t.h, static_cast<short>(r.Word()));
  r.Name(), r.Name();  // menu, class
  EXPECT_EQ(std::string(t.title), r.Name());
  EXPECT_EQ(t.pointSize, r.Word());
  r.Word(), r.Word();  // weight, italic and charset
  EXPECT_EQ(std::string(t.fontName), r.Name());
  for (int i = 0; i < t.controlCount; ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    const plat::DialogControl& c = t.controls[i];
    r.AlignDword(base);
    r.Dword(), r.Dword();  // help id, extended style
    EXPECT_EQ(WS_CHILD | WS_VISIBLE | c.style, r.Dword());
    EXPECT_EQ(c.x, static_cast<short>(r.Word()));
    EXPECT_EQ(c.y, static_cast<short>(r.Word()));
    EXPECT_EQ(c.w, static_cast<short>(r.Word()));
    EXPECT_EQ(c.h, static_cast<short>(r.Word()));
    EXPECT_EQ(c.id, static_cast<int>(r.Dword()));
    EXPECT_EQ(ClassName(c.kind), ResourceClass(r.Name()));
    EXPECT_EQ(std::string(c.text ? c.text : ""), r.Name());
    r.p += r.Word();  // creation data
  }
}

std::vector<std::string> ComboTexts(HWND dialog, int id) {
  std::vector<std::string> out;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[1024] = "";
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    out.emplace_back(text);
  }
  return out;
}

}  // namespace

TEST(Win32DialogHost, ResourceTemplatesMatchTheLayoutData) {
  CheckTemplate(prumya::kSettingsDialogTemplate);
  CheckTemplate(prumya::kAboutDialogTemplate);
}

TEST(Win32DialogHost, ControlOperationsOnTheSettingsTemplate) {
  plat::win32_port::Win32DialogHost host;
  const std::string slow = "ゆっくり", random = "ランダム", fast = "速い", none = "表示なし";
  const std::string longName = std::string(510, 'x') + "長い";  // a character across byte 511
  std::vector<std::string> sorted;
  const plat::DialogProcedure procedure = [&](plat::WindowHandle d, std::uint32_t message,
                                              std::uintptr_t, std::intptr_t) -> std::intptr_t {
    if (message != plat::kWmInitDialog) return 0;
    const int name = prumya::kIdcPresetName;
    for (const std::string& s : {none, fast, std::string("Beta"), random, std::string("alpha"),
                                 slow, std::string("alpha long")})
      host.AddListText(d, name, s.c_str());
    sorted = ComboTexts(reinterpret_cast<HWND>(d), name);
    EXPECT_EQ(1, host.SelectListPrefix(d, name, "ALPHA "));
    char text[256];
    EXPECT_EQ(10u, host.GetItemText(d, name, text, sizeof text));
    EXPECT_STREQ("alpha long", text);
    EXPECT_EQ(2, host.FindListExact(d, name, "BETA"));
    EXPECT_EQ(plat::kCbErr, host.FindListExact(d, name, "Bet"));
    EXPECT_EQ(plat::kCbErr, host.SelectListPrefix(d, name, "zz"));
    EXPECT_STREQ("alpha long", (host.GetItemText(d, name, text, sizeof text), text));
    EXPECT_TRUE(host.DeleteListEntry(d, name, 2));
    EXPECT_FALSE(host.DeleteListEntry(d, name, 99));
    const int at = host.AddListText(d, name, longName.c_str());
    SendDlgItemMessageA(reinterpret_cast<HWND>(d), name, CB_SETCURSEL, at, 0);
    char entry[512];
    EXPECT_EQ(510, host.GetSelectedListText(d, name, entry, sizeof entry));
    host.LimitText(d, name, 32);

    const int slider = prumya::kIdcFirstSlider;
    host.SetSliderRange(d, slider, 4, 512);
    host.SetSliderPageSize(d, slider, 1);
    host.SetSliderLineSize(d, slider, 1);
    host.SetSliderPos(d, slider, 600);
    EXPECT_EQ(512, host.GetSliderPos(d, slider));
    EXPECT_EQ(4, SendDlgItemMessageA(reinterpret_cast<HWND>(d), slider, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(1, SendDlgItemMessageA(reinterpret_cast<HWND>(d), slider, TBM_GETPAGESIZE, 0, 0));
    EXPECT_EQ(slider, host.ControlId(reinterpret_cast<plat::WindowHandle>(
                          GetDlgItem(reinterpret_cast<HWND>(d), slider))));

    host.SetItemText(d, prumya::kIdcValueDisplay, "x:001");
    EXPECT_EQ(5u, host.GetItemText(d, prumya::kIdcValueDisplay, text, sizeof text));
    host.CheckButton(d, prumya::kIdcClock, true);
    EXPECT_TRUE(host.IsButtonChecked(d, prumya::kIdcClock));
    EXPECT_FALSE(host.IsButtonChecked(d, prumya::kIdcFrameRate));
    host.EnableItem(d, prumya::kIdcDelete, false);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(reinterpret_cast<HWND>(d), prumya::kIdcDelete)));
    host.EndDialog(d, 7);
    return 1;
  };
  EXPECT_EQ(7, host.RunModal(reinterpret_cast<plat::InstanceHandle>(GetModuleHandleA(nullptr)),
                             prumya::kSettingsTemplate, 0, procedure));
  // The list's own order, which the Linux port's list reproduces.
  EXPECT_EQ((std::vector<std::string>{"alpha", "alpha long", "Beta", slow, random, fast, none}),
            sorted);
}
