#include "app/win32/NavigationSurface.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "app/CommandDispatch.h"
#include "app/NavigationItems.h"

namespace tw {
namespace {

using ui::SelectionGuard;
using ui::UniqueBrush;
using ui::UniquePen;

// Layout, in the surface's pixels.
constexpr int kTitleHeight = 44;
constexpr int kSideWidth = 196;
constexpr int kStatusTop = 508;
constexpr int kCardPadding = 12;
constexpr POINT kContentOrigin{240, 160};
constexpr RECT kContent{kContentOrigin.x, kContentOrigin.y, kContentOrigin.x + NavigationSurface::kContentWidth,
                        kContentOrigin.y + NavigationSurface::kContentHeight};
constexpr RECT kCard{kContent.left - kCardPadding, kContent.top - kCardPadding, kContent.right + kCardPadding,
                     kContent.bottom + kCardPadding};
constexpr int kHeroBottom = 176;
constexpr int kActionTop = kCard.bottom + 12;
constexpr int kActionHeight = 28;

// The palette of the icon: deep-sea blue, a lighter wave blue, white.
namespace palette {
constexpr COLORREF kDeep = RGB(0x0B, 0x53, 0x94);
constexpr COLORREF kAccent = RGB(0x1C, 0x7E, 0xD6);
constexpr COLORREF kAccentHover = RGB(0x19, 0x71, 0xC2);
constexpr COLORREF kTitleHover = RGB(0x1F, 0x66, 0xA6);
constexpr COLORREF kTitlePressed = RGB(0x08, 0x44, 0x7A);
constexpr COLORREF kCloseHover = RGB(0xC4, 0x2B, 0x1C);
constexpr COLORREF kClosePressed = RGB(0x9E, 0x23, 0x17);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kSide = RGB(0xF3, 0xF6, 0xFA);
constexpr COLORREF kRule = RGB(0xDC, 0xE4, 0xED);
constexpr COLORREF kItemText = RGB(0x23, 0x36, 0x4A);
constexpr COLORREF kItemHover = RGB(0xE4, 0xED, 0xF7);
constexpr COLORREF kItemPressed = RGB(0xD2, 0xE2, 0xF3);
constexpr COLORREF kItemSelected = RGB(0xDA, 0xE9, 0xFA);
constexpr COLORREF kHeading = RGB(0x73, 0x86, 0x9A);
constexpr COLORREF kHero = RGB(0xEA, 0xF3, 0xFC);
constexpr COLORREF kHeroWave = RGB(0xD5, 0xE7, 0xF8);
constexpr COLORREF kHeadline = RGB(0x0B, 0x2A, 0x4A);
constexpr COLORREF kBody = RGB(0x4A, 0x60, 0x76);
constexpr COLORREF kMuted = RGB(0x6E, 0x81, 0x95);
constexpr COLORREF kCardBorder = RGB(0xD3, 0xDE, 0xEA);
constexpr COLORREF kShadow1 = RGB(0xE2, 0xE9, 0xF1);
constexpr COLORREF kShadow2 = RGB(0xEF, 0xF3, 0xF8);
constexpr COLORREF kTile = RGB(0xF7, 0xFA, 0xFD);
constexpr COLORREF kTileBorder = RGB(0xE1, 0xE9, 0xF2);
constexpr COLORREF kEmblem = RGB(0xDD, 0xEB, 0xFA);
constexpr COLORREF kButtonBorder = RGB(0xB7, 0xC9, 0xDC);
constexpr COLORREF kButtonHover = RGB(0xEF, 0xF5, 0xFC);
constexpr COLORREF kButtonPressed = RGB(0xDF, 0xEB, 0xF8);
constexpr COLORREF kEdge = RGB(0x8F, 0xA6, 0xBE);
constexpr COLORREF kDanger = RGB(0xB3, 0x26, 0x1E);
constexpr COLORREF kDangerHover = RGB(0xFB, 0xEC, 0xEB);
constexpr COLORREF kDangerPressed = RGB(0xF5, 0xD9, 0xD7);
constexpr COLORREF kDangerBorder = RGB(0xE6, 0xC2, 0xBF);
}  // namespace palette

constexpr RECT Box(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.get());
}

// A rounded rectangle; `border` CLR_INVALID for none.
void RoundBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int radius) {
  UniqueBrush brush(CreateSolidBrush(fill));
  UniquePen pen(CreatePen(PS_SOLID, 1, border == CLR_INVALID ? fill : border));
  SelectionGuard brushGuard(dc, brush.get());
  SelectionGuard penGuard(dc, pen.get());
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

void FocusRing(HDC dc, RECT rect, COLORREF color, int radius) {
  InflateRect(&rect, -2, -2);
  UniquePen pen(CreatePen(PS_SOLID, 1, color));
  SelectionGuard penGuard(dc, pen.get());
  SelectionGuard brushGuard(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

void Lines(HDC dc, COLORREF color, int width, std::initializer_list<POINT> points) {
  UniquePen pen(CreatePen(PS_SOLID, width, color));
  SelectionGuard penGuard(dc, pen.get());
  Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void Text(HDC dc, std::string_view text, RECT rect, HFONT font, COLORREF color, UINT format) {
  SelectionGuard fontGuard(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// A gentle wave across [left, right], like the ones on the icon.
void Wave(HDC dc, int left, int right, int baseline, int amplitude, int wavelength, double phase, COLORREF color,
          int width) {
  std::vector<POINT> points;
  for (int x = left; x <= right; x += 4) {
    const double angle = phase + 2.0 * 3.14159265358979 * (x - left) / wavelength;
    points.push_back({x, baseline + static_cast<int>(std::lround(amplitude * std::sin(angle)))});
  }
  UniquePen pen(CreatePen(PS_SOLID, width, color));
  SelectionGuard penGuard(dc, pen.get());
  Polyline(dc, points.data(), static_cast<int>(points.size()));
}

// Small line glyphs, drawn about a centre point.
enum class Glyph { Minimize, Tray, Close, Home, Power, Back };

void DrawGlyph(HDC dc, Glyph glyph, int cx, int cy, COLORREF color) {
  switch (glyph) {
    case Glyph::Minimize:
      Lines(dc, color, 1, {{cx - 5, cy}, {cx + 6, cy}});
      break;
    case Glyph::Tray:
      Lines(dc, color, 1, {{cx, cy - 6}, {cx, cy + 2}});
      Lines(dc, color, 1, {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 5, cy - 3}});
      Lines(dc, color, 1, {{cx - 6, cy + 5}, {cx + 7, cy + 5}});
      break;
    case Glyph::Close:
      Lines(dc, color, 1, {{cx - 5, cy - 5}, {cx + 6, cy + 6}});
      Lines(dc, color, 1, {{cx + 5, cy - 5}, {cx - 6, cy + 6}});
      break;
    case Glyph::Home:
      Lines(dc, color, 1, {{cx - 7, cy}, {cx, cy - 7}, {cx + 8, cy + 1}});
      Lines(dc, color, 1, {{cx - 5, cy - 2}, {cx - 5, cy + 6}, {cx + 5, cy + 6}, {cx + 5, cy - 3}});
      Lines(dc, color, 1, {{cx - 1, cy + 6}, {cx - 1, cy + 2}, {cx + 2, cy + 2}, {cx + 2, cy + 6}});
      break;
    case Glyph::Power: {
      UniquePen pen(CreatePen(PS_SOLID, 1, color));
      SelectionGuard penGuard(dc, pen.get());
      // An open ring, drawn anticlockwise from its upper left to its upper right.
      Arc(dc, cx - 6, cy - 5, cx + 7, cy + 8, cx - 3, cy - 6, cx + 4, cy - 6);
      Lines(dc, color, 1, {{cx, cy - 7}, {cx, cy + 2}});
      break;
    }
    case Glyph::Back:
      Lines(dc, color, 1, {{cx + 2, cy - 4}, {cx - 2, cy}, {cx + 3, cy + 5}});
      break;
  }
}

// The home view's four feature tiles.
enum class Emblem { Internet, Ram, Pinger, Settings };

void DrawTileEmblem(HDC dc, Emblem emblem, const RECT& box) {
  RoundBox(dc, box, palette::kEmblem, CLR_INVALID, 8);
  const int x = box.left, y = box.top;
  const COLORREF ink = palette::kAccent;
  switch (emblem) {
    case Emblem::Internet:  // rising signal bars
      for (int bar = 0; bar < 4; ++bar) {
        const int height = 5 + bar * 4;
        Fill(dc, Box(x + 9 + bar * 5, y + 27 - height, 3, height), ink);
      }
      break;
    case Emblem::Ram:  // a memory chip
      RoundBox(dc, Box(x + 10, y + 11, 16, 14), palette::kEmblem, ink, 2);
      for (int pin = 0; pin < 4; ++pin) {
        Lines(dc, ink, 1, {{x + 12 + pin * 4, y + 7}, {x + 12 + pin * 4, y + 10}});
        Lines(dc, ink, 1, {{x + 12 + pin * 4, y + 26}, {x + 12 + pin * 4, y + 29}});
      }
      break;
    case Emblem::Pinger:  // a pulse
      Lines(dc, ink, 2, {{x + 7, y + 19}, {x + 13, y + 19}, {x + 16, y + 11}, {x + 20, y + 26}, {x + 23, y + 17},
                         {x + 29, y + 17}});
      break;
    case Emblem::Settings:  // sliders
      for (int row = 0; row < 3; ++row) {
        const int lineY = y + 11 + row * 7;
        Lines(dc, ink, 1, {{x + 8, lineY}, {x + 28, lineY}});
        const int knob = x + 12 + ((row * 7) % 13);
        Fill(dc, Box(knob, lineY - 2, 4, 5), ink);
      }
      break;
  }
}

bool OpensPanel(std::string_view command) {
  const std::vector<Action> actions = DispatchCommand(command);
  return std::any_of(actions.begin(), actions.end(), [](const Action& a) { return a.kind == ActionKind::ShowPanel; });
}

bool CoversPanels(std::string_view command) {
  const std::vector<Action> actions = DispatchCommand(command);
  return std::any_of(actions.begin(), actions.end(),
                     [](const Action& a) { return a.kind == ActionKind::BringMovieToFront; });
}

HFONT MakeFont(int pixels, bool bold) {
  LOGFONTA font{};
  font.lfHeight = -pixels;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

NavigationSurface::NavigationSurface(CommandSink sink) : sink_(std::move(sink)) {}

NavigationSurface::~NavigationSurface() {
  // Destroy the windows while the fonts and the controls' table still exist:
  // the base class would do it only after our members are gone.
  if (hwnd() != nullptr) DestroyWindow(hwnd());
}

bool NavigationSurface::Create(HWND mainWindow) {
  brandFont_.Reset(MakeFont(16, true));
  titleFont_.Reset(MakeFont(23, true));
  bodyFont_.Reset(MakeFont(13, false));
  boldFont_.Reset(MakeFont(13, true));
  smallFont_.Reset(MakeFont(12, false));
  headingFont_.Reset(MakeFont(11, true));
  smallIcon_.Reset(LoadProgramIcon(24));
  largeIcon_.Reset(LoadProgramIcon(48));

  ui::WindowArgs args;
  args.className = "TidewaveNavigation";
  args.caption = "Navigation";
  args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  args.exStyle = WS_EX_CONTROLPARENT;
  args.x = 0;
  args.y = 0;
  args.width = kWidth;
  args.height = kHeight;
  args.parent = mainWindow;
  args.background = nullptr;  // we paint every pixel
  if (!ui::Window::Create(args)) return false;
  CreateControls();
  ShowView(View::Home, 0);
  return true;
}

HWND NavigationSurface::AddControl(int id, Kind kind, std::string_view caption, RECT rect) {
  const bool isLabel = kind == Kind::Heading || kind == Kind::StatusLabel;
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (isLabel) {
    style |= SS_OWNERDRAW | SS_NOPREFIX;
  } else {
    style |= BS_OWNERDRAW;
    if (kind != Kind::TitleStrip) style |= WS_TABSTOP;
  }
  const std::string text(caption);
  HWND window = CreateWindowExA(0, isLabel ? "STATIC" : "BUTTON", text.c_str(), style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(bodyFont_.get()), FALSE);
  if (!isLabel) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NavigationSurface::ControlProc)));
    if (buttonProc_ == nullptr) buttonProc_ = previous;
  }
  controls_.push_back({id, kind, window});
  return window;
}

void NavigationSurface::CreateControls() {
  auto caption = [](int id) { return FindNavigationItem(id)->caption; };
  // Creation order is the Tab order: the side bar first, then what belongs
  // to the content, then the title strip's buttons and the window buttons.
  AddControl(IDC_FS_titleStrip, Kind::TitleStrip, caption(IDC_FS_titleStrip), Box(0, 0, 336, kTitleHeight));

  constexpr int kSideX = 10, kSideItemWidth = kSideWidth - 2 * kSideX;
  constexpr int kItemHeight = 28, kHeadingHeight = 22, kGroupGap = 8;
  AddControl(IDC_FS_homeButton, Kind::SideItem, caption(IDC_FS_homeButton), Box(kSideX, 56, kSideItemWidth, 30));
  int y = 96;
  for (const NavigationGroup& group : NavigationGroups()) {
    AddControl(group.id, group.command.empty() ? Kind::Heading : Kind::HeadingButton, group.caption,
               Box(kSideX, y, kSideItemWidth, kHeadingHeight));
    y += kHeadingHeight;
    for (const NavigationItem& item : group.items) {
      AddControl(item.id, Kind::SideItem, item.caption, Box(kSideX, y, kSideItemWidth, kItemHeight));
      y += kItemHeight;
    }
    y += kGroupGap;
  }

  const int closeLeft = kCard.right - 104;
  AddControl(IDC_FS_hidePanelButton, Kind::ActionButton, caption(IDC_FS_hidePanelButton),
             Box(closeLeft - 8 - 84, kActionTop, 84, kActionHeight));
  AddControl(IDC_FS_closePanelButton, Kind::ActionButton, caption(IDC_FS_closePanelButton),
             Box(closeLeft, kActionTop, 104, kActionHeight));
  AddControl(IDC_FS_closeAboutButton, Kind::PrimaryButton, caption(IDC_FS_closeAboutButton),
             Box(kCard.right - 84, kActionTop, 84, kActionHeight));

  constexpr int kWindowButtonWidth = 46;
  const int windowButtonsLeft = kWidth - 3 * kWindowButtonWidth;
  int x = windowButtonsLeft - 10;
  struct TitleButton {
    int id, width;
  };
  constexpr TitleButton kTitleButtons[] = {
      {IDC_FS_aboutButton, 62}, {IDC_FS_helpButton, 56}, {IDC_FS_mainSettingsButton, 108}};
  // Laid out from the right; created in reading order.
  RECT titleRects[3];
  for (int i = 0; i < 3; ++i) {
    x -= kTitleButtons[i].width;
    titleRects[i] = Box(x, 8, kTitleButtons[i].width, kTitleHeight - 16);
    x -= 4;
  }
  for (int i = 2; i >= 0; --i) {
    AddControl(kTitleButtons[i].id, Kind::TitleButton, caption(kTitleButtons[i].id), titleRects[i]);
  }

  AddControl(IDC_FS_restartButton, Kind::RestartButton, caption(IDC_FS_restartButton),
             Box(kWidth - 12 - 150, kStatusTop + 4, 150, kHeight - kStatusTop - 8));
  AddControl(IDC_FS_versionLabel, Kind::StatusLabel, "", Box(16, kStatusTop + 1, 300, kHeight - kStatusTop - 1));

  x = windowButtonsLeft;
  for (int id : {IDC_FS_minimizeButton, IDC_FS_trayButton, IDC_FS_closeButton}) {
    AddControl(id, Kind::WindowButton, caption(id), Box(x, 0, kWindowButtonWidth, kTitleHeight));
    x += kWindowButtonWidth;
  }
}

const NavigationSurface::Control* NavigationSurface::FindControl(int id) const {
  for (const Control& control : controls_) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

void NavigationSurface::Send(std::string_view command) {
  if (sink_) sink_(command, "");
}

void NavigationSurface::Press(int id) {
  std::string_view command;
  if (const NavigationItem* item = FindNavigationItem(id)) {
    command = item->command;
  } else {
    for (const NavigationGroup& group : NavigationGroups()) {
      if (group.id == id) command = group.command;
    }
  }
  if (command.empty()) return;
  // The surface's own view changes first: the command may end the program,
  // and after that nothing of ours may be touched.
  if (command == "IDC_FS_about") {
    ShowView(View::About, 0);
  } else if (command == "IDC_FS_closeAbout") {
    ShowView(View::Home, 0);
  } else if (OpensPanel(command)) {
    ShowView(View::Home, id);
  } else if (CoversPanels(command)) {
    ShowView(View::Home, 0);
  }
  Send(command);
}

void NavigationSurface::ShowView(View view, int activeItem) {
  const int previousActive = activeItem_;
  view_ = view;
  activeItem_ = activeItem;
  const bool panelOpen = view == View::Home && activeItem != 0;
  const std::pair<int, bool> visibility[] = {
      {IDC_FS_hidePanelButton, panelOpen},
      {IDC_FS_closePanelButton, panelOpen},
      {IDC_FS_closeAboutButton, view == View::About},
  };
  HWND focus = GetFocus();
  for (const auto& [id, visible] : visibility) {
    HWND control = GetDlgItem(hwnd(), id);
    if (!visible && control == focus) {
      // Keep the keyboard where the user was instead of losing it with the button.
      HWND home = GetDlgItem(hwnd(), previousActive != 0 ? previousActive : IDC_FS_homeButton);
      SetFocus(home);
    }
    if (!visible && hotItem_ == id) hotItem_ = 0;
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
  }
  // Everything right of the side bar changes, and the side bar's selection.
  InvalidateRect(hwnd(), nullptr, FALSE);
  for (int id : {previousActive, activeItem}) {
    if (id != 0) InvalidateRect(GetDlgItem(hwnd(), id), nullptr, FALSE);
  }
}

void NavigationSurface::TakeFocus() {
  HWND item = GetDlgItem(hwnd(), activeItem_ != 0 ? activeItem_ : IDC_FS_homeButton);
  if (item != nullptr) SetFocus(item);
}

void NavigationSurface::SetVariable(std::string_view name, std::string_view value) {
  if (name == "_root.version") {
    version_ = value;
    const std::string text = version_.empty() ? std::string() : "Version " + version_;
    SetWindowTextA(GetDlgItem(hwnd(), IDC_FS_versionLabel), text.c_str());
    InvalidateRect(hwnd(), nullptr, FALSE);
  } else if (name == "_root.home" && value == "true") {
    ShowView(View::Home, 0);
  }
}

POINT NavigationSurface::ContentOrigin() const { return kContentOrigin; }

void NavigationSurface::MoveFocus(HWND from, bool backwards) {
  HWND next = GetNextDlgTabItem(hwnd(), from, backwards ? TRUE : FALSE);
  if (next == nullptr || next == from) return;
  // Arrow keys are keyboard use: show where the focus went.
  SendMessageA(GetAncestor(hwnd(), GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(next);
}

// ---- painting ----

void NavigationSurface::DrawEmblem(HDC dc, int x, int y, int size) {
  HICON icon = size <= 24 ? smallIcon_.get() : largeIcon_.get();
  if (icon != nullptr) {
    DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    return;
  }
  // No icon resource (a test program): the same tile and wave, drawn.
  RoundBox(dc, Box(x, y, size, size), palette::kDeep, CLR_INVALID, size / 5);
  Wave(dc, x + size / 6, x + size - size / 6, y + size / 2, size / 10, size * 2 / 3, 3.14159, palette::kWhite,
       std::max(1, size / 12));
}

void NavigationSurface::Paint(HDC dc) {
  Fill(dc, Box(0, 0, kWidth, kTitleHeight), palette::kDeep);
  Fill(dc, RECT{0, kTitleHeight, kSideWidth, kStatusTop}, palette::kSide);
  Fill(dc, RECT{kSideWidth - 1, kTitleHeight, kSideWidth, kStatusTop}, palette::kRule);
  Fill(dc, RECT{kSideWidth, kTitleHeight, kWidth, kStatusTop}, palette::kWhite);
  Fill(dc, RECT{0, kStatusTop, kWidth, kHeight}, palette::kSide);
  Fill(dc, RECT{0, kStatusTop, kWidth, kStatusTop + 1}, palette::kRule);
  PaintHero(dc);

  // The content card, lifted a little off the page.
  Fill(dc, RECT{kCard.left + 2, kCard.bottom, kCard.right - 2, kCard.bottom + 1}, palette::kShadow1);
  Fill(dc, RECT{kCard.left + 4, kCard.bottom + 1, kCard.right - 4, kCard.bottom + 2}, palette::kShadow2);
  RoundBox(dc, kCard, palette::kWhite, palette::kCardBorder, 6);

  // A hairline round the window, which has no frame of its own.
  Lines(dc, palette::kEdge, 1, {{0, kTitleHeight}, {0, kHeight - 1}, {kWidth - 1, kHeight - 1}, {kWidth - 1, kTitleHeight - 1}});

  if (view_ == View::About) {
    PaintAbout(dc);
  } else if (activeItem_ == 0) {
    PaintHome(dc);
  }
}

void NavigationSurface::PaintHero(HDC dc) {
  Fill(dc, RECT{kSideWidth, kTitleHeight, kWidth, kHeroBottom}, palette::kHero);
  Wave(dc, 500, kWidth - 1, 78, 6, 140, 0.0, palette::kHeroWave, 3);
  Wave(dc, 540, kWidth - 1, 94, 5, 120, 1.2, palette::kHeroWave, 2);

  std::string eyebrow = "OVERVIEW", headline = "Welcome to Tidewave",
              line = "A faster, steadier connection and free memory, from one small window.";
  if (view_ == View::About) {
    eyebrow = "ABOUT";
    headline = "About Tidewave";
    line = "What it does, which version you have and where your backups are.";
  } else if (const NavigationItem* item = FindNavigationItem(activeItem_)) {
    const NavigationGroup* group = FindNavigationGroup(activeItem_);
    eyebrow = Upper(group ? group->caption : "Tidewave");
    headline = item->caption;
    line = item->description;
  }
  constexpr int kLeft = kCard.left + 2;
  SetTextCharacterExtra(dc, 1);
  Text(dc, eyebrow, RECT{kLeft, 60, kWidth - 24, 76}, headingFont_.get(), palette::kAccent, DT_SINGLELINE);
  SetTextCharacterExtra(dc, 0);
  Text(dc, headline, RECT{kLeft, 76, kWidth - 24, 106}, titleFont_.get(), palette::kHeadline, DT_SINGLELINE);
  Text(dc, line, RECT{kLeft, 110, kWidth - 24, 128}, bodyFont_.get(), palette::kBody,
       DT_SINGLELINE | DT_END_ELLIPSIS);
}

void NavigationSurface::PaintHome(HDC dc) {
  struct Tile {
    Emblem emblem;
    const char* title;
    const char* text;
  };
  static constexpr Tile kTiles[] = {
      {Emblem::Internet, "Internet Booster",
       "Tune TCP/IP for your line with a preset or step by step. Every change is backed up first."},
      {Emblem::Ram, "Ram Booster", "Watch memory and processor use, and free memory when it runs low."},
      {Emblem::Pinger, "Net Pinger", "Keep an idle connection open with a ping at a steady pace."},
      {Emblem::Settings, "System Settings", "Quick ways into the Windows settings behind your connection."},
  };
  constexpr int kGap = 12;
  constexpr int kTileWidth = (NavigationSurface::kContentWidth - kGap) / 2;
  constexpr int kTileHeight = (NavigationSurface::kContentHeight - kGap) / 2;
  for (int i = 0; i < 4; ++i) {
    const RECT tile = Box(kContent.left + (i % 2) * (kTileWidth + kGap), kContent.top + (i / 2) * (kTileHeight + kGap),
                          kTileWidth, kTileHeight);
    RoundBox(dc, tile, palette::kTile, palette::kTileBorder, 6);
    DrawTileEmblem(dc, kTiles[i].emblem, Box(tile.left + 14, tile.top + 14, 36, 36));
    Text(dc, kTiles[i].title, RECT{tile.left + 62, tile.top + 14, tile.right - 12, tile.top + 50}, boldFont_.get(),
         palette::kHeadline, DT_SINGLELINE | DT_VCENTER);
    Text(dc, kTiles[i].text, RECT{tile.left + 16, tile.top + 60, tile.right - 14, tile.bottom - 8}, smallFont_.get(),
         palette::kBody, DT_WORDBREAK);
  }
  Text(dc, "Hidden in the notification area, Tidewave keeps pinging and watching memory.",
       RECT{kCard.left + 2, kActionTop, kCard.right, kActionTop + kActionHeight}, smallFont_.get(), palette::kMuted,
       DT_SINGLELINE | DT_VCENTER);
}

void NavigationSurface::PaintAbout(HDC dc) {
  const int left = kContent.left + 20, top = kContent.top + 24;
  DrawEmblem(dc, left, top, 48);
  Text(dc, "Tidewave", RECT{left + 64, top + 2, kContent.right - 16, top + 28}, titleFont_.get(), palette::kHeadline,
       DT_SINGLELINE);
  const std::string version = version_.empty() ? std::string() : "Version " + version_;
  Text(dc, version, RECT{left + 64, top + 30, kContent.right - 16, top + 48}, bodyFont_.get(), palette::kBody,
       DT_SINGLELINE);
  Fill(dc, RECT{left, top + 72, kContent.right - 20, top + 73}, palette::kTileBorder);
  Text(dc,
       "Tidewave tunes the TCP/IP settings of Windows for faster internet access, backs up every change it "
       "makes, keeps an idle connection alive and watches memory and processor use.",
       RECT{left, top + 88, kContent.right - 20, top + 140}, bodyFont_.get(), palette::kItemText, DT_WORDBREAK);
  Text(dc, "Backups are kept in the Backups folder beside the program.",
       RECT{left, top + 150, kContent.right - 20, top + 170}, smallFont_.get(), palette::kMuted, DT_SINGLELINE);
}

void NavigationSurface::DrawControl(const DRAWITEMSTRUCT& item) {
  const Control* control = FindControl(static_cast<int>(item.CtlID));
  if (control == nullptr) return;
  ui::MemoryCanvas canvas(item.hDC, item.rcItem);
  HDC dc = canvas.dc();
  const RECT rect = item.rcItem;
  const std::string caption = ui::WindowText(item.hwndItem);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0;
  const bool hot = hotItem_ == control->id;
  const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

  switch (control->kind) {
    case Kind::TitleStrip: {
      Fill(dc, rect, palette::kDeep);
      DrawEmblem(dc, 14, (kTitleHeight - 24) / 2, 24);
      Text(dc, caption, RECT{48, 0, rect.right, kTitleHeight}, brandFont_.get(), palette::kWhite,
           DT_SINGLELINE | DT_VCENTER);
      break;
    }
    case Kind::TitleButton: {
      Fill(dc, rect, palette::kDeep);
      if (pressed || hot) RoundBox(dc, rect, pressed ? palette::kTitlePressed : palette::kTitleHover, CLR_INVALID, 4);
      Text(dc, caption, rect, bodyFont_.get(), palette::kWhite, centred);
      if (focused) FocusRing(dc, rect, palette::kWhite, 4);
      break;
    }
    case Kind::WindowButton: {
      const bool isClose = control->id == IDC_FS_closeButton;
      COLORREF back = palette::kDeep;
      if (pressed) {
        back = isClose ? palette::kClosePressed : palette::kTitlePressed;
      } else if (hot) {
        back = isClose ? palette::kCloseHover : palette::kTitleHover;
      }
      Fill(dc, rect, back);
      const Glyph glyph = control->id == IDC_FS_minimizeButton ? Glyph::Minimize
                          : control->id == IDC_FS_trayButton  ? Glyph::Tray
                                                              : Glyph::Close;
      DrawGlyph(dc, glyph, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, palette::kWhite);
      if (focused) FocusRing(dc, rect, palette::kWhite, 0);
      break;
    }
    case Kind::SideItem: {
      Fill(dc, rect, palette::kSide);
      const bool selected = control->id == activeItem_ && view_ == View::Home;
      COLORREF back = palette::kSide;
      if (pressed) {
        back = palette::kItemPressed;
      } else if (selected) {
        back = palette::kItemSelected;
      } else if (hot) {
        back = palette::kItemHover;
      }
      if (back != palette::kSide) RoundBox(dc, rect, back, CLR_INVALID, 4);
      if (selected) Fill(dc, RECT{rect.left, rect.top + 6, rect.left + 3, rect.bottom - 6}, palette::kAccent);
      const int middle = (rect.top + rect.bottom) / 2;
      if (control->id == IDC_FS_homeButton) {
        DrawGlyph(dc, Glyph::Home, rect.left + 20, middle, selected ? palette::kDeep : palette::kItemText);
      }
      Text(dc, caption, RECT{rect.left + 38, rect.top, rect.right - 6, rect.bottom},
           selected ? boldFont_.get() : bodyFont_.get(), selected ? palette::kDeep : palette::kItemText,
           DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
      if (focused) FocusRing(dc, rect, palette::kAccent, 4);
      break;
    }
    case Kind::Heading:
    case Kind::HeadingButton: {
      Fill(dc, rect, palette::kSide);
      const bool lively = control->kind == Kind::HeadingButton && (hot || pressed);
      SetTextCharacterExtra(dc, 1);
      Text(dc, Upper(caption), RECT{rect.left + 10, rect.top, rect.right - 6, rect.bottom - 3}, headingFont_.get(),
           lively ? palette::kAccent : palette::kHeading, DT_SINGLELINE | DT_BOTTOM);
      SetTextCharacterExtra(dc, 0);
      if (focused) FocusRing(dc, rect, palette::kAccent, 4);
      break;
    }
    case Kind::ActionButton:
    case Kind::PrimaryButton: {
      Fill(dc, rect, palette::kWhite);
      const bool primary = control->kind == Kind::PrimaryButton;
      COLORREF back = primary ? palette::kAccent : palette::kWhite;
      if (pressed) {
        back = primary ? palette::kDeep : palette::kButtonPressed;
      } else if (hot) {
        back = primary ? palette::kAccentHover : palette::kButtonHover;
      }
      RoundBox(dc, rect, back, primary ? back : palette::kButtonBorder, 4);
      RECT label = rect;
      if (control->id == IDC_FS_hidePanelButton) {
        DrawGlyph(dc, Glyph::Back, rect.left + 18, (rect.top + rect.bottom) / 2, palette::kDeep);
        label.left += 8;
      }
      Text(dc, caption, label, primary ? boldFont_.get() : bodyFont_.get(), primary ? palette::kWhite : palette::kDeep,
           centred);
      if (focused) FocusRing(dc, rect, primary ? palette::kWhite : palette::kAccent, 3);
      break;
    }
    case Kind::RestartButton: {
      Fill(dc, rect, palette::kSide);
      const bool lively = hot || pressed;
      if (lively) RoundBox(dc, rect, pressed ? palette::kDangerPressed : palette::kDangerHover, palette::kDangerBorder, 4);
      const COLORREF ink = lively ? palette::kDanger : palette::kBody;
      SIZE extent{};
      {
        SelectionGuard fontGuard(dc, bodyFont_.get());
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      }
      const int start = (rect.left + rect.right - extent.cx - 20) / 2;
      DrawGlyph(dc, Glyph::Power, start + 6, (rect.top + rect.bottom) / 2, ink);
      Text(dc, caption, RECT{start + 20, rect.top, rect.right, rect.bottom}, bodyFont_.get(), ink,
           DT_SINGLELINE | DT_VCENTER);
      if (focused) FocusRing(dc, rect, palette::kAccent, 4);
      break;
    }
    case Kind::StatusLabel:
      Fill(dc, rect, palette::kSide);
      Text(dc, caption, rect, smallFont_.get(), palette::kMuted, DT_SINGLELINE | DT_VCENTER);
      break;
  }
}

// ---- messages ----

LRESULT CALLBACK NavigationSurface::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<NavigationSurface*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return self->OnControlMessage(window, message, wParam, lParam);
}

LRESULT NavigationSurface::OnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int id = GetDlgCtrlID(window);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the owner drawing covers every pixel
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The title strip moves the window while the button is held, so it acts
      // on the press itself, as a caption does.
      if (id == IDC_FS_titleStrip) {
        Press(id);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (hotItem_ != id) {
        const int previous = hotItem_;
        hotItem_ = id;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        if (HWND old = GetDlgItem(hwnd(), previous)) InvalidateRect(old, nullptr, FALSE);
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      if (hotItem_ == id) {
        hotItem_ = 0;
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_SETFOCUS:
      lastFocus_ = window;
      break;
    case WM_GETDLGCODE: {
      // Enter presses the focused item and the arrows walk the items; the
      // dialog manager would otherwise take both keys for itself.
      LRESULT code = CallWindowProcA(buttonProc_, window, message, wParam, lParam);
      const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
      if (keyMessage != nullptr && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
      }
      return code | DLGC_WANTARROWS;
    }
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_RETURN:
          SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
          return 0;
        case VK_UP:
        case VK_LEFT:
          MoveFocus(window, true);
          return 0;
        case VK_DOWN:
        case VK_RIGHT:
          MoveFocus(window, false);
          return 0;
      }
      break;
  }
  return CallWindowProcA(buttonProc_, window, message, wParam, lParam);
}

LRESULT NavigationSurface::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Only a click presses: an owner-drawn button reports a quick second
      // click as a double click, which must not run a command twice.
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) Press(LOWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      DrawControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The rest of the title band moves the window too.
      if (static_cast<short>(HIWORD(lParam)) < kTitleHeight) Send("Drag");
      return 0;
    case WM_SETFOCUS:
      // Focus given to the surface goes on to the item that last had it.
      SetFocus(lastFocus_ != nullptr && IsWindowVisible(lastFocus_) ? lastFocus_
                                                                     : GetDlgItem(hwnd(), IDC_FS_homeButton));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      ui::PaintDc paint(hwnd());
      ui::MemoryCanvas canvas(paint.get(), paint.area());
      Paint(canvas.dc());
      return 0;
    }
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw
