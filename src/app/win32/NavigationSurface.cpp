#include "app/win32/NavigationSurface.h"

#include "app/NavigationItems.h"
#include "ui/win32/ControlFactory.h"

namespace tw {
namespace {

constexpr int kTitleHeight = 40;
constexpr int kMenuWidth = 220;
constexpr POINT kContentOrigin{252, 64};

HWND MakeButton(HWND parent, const NavigationItem& item, int x, int y, int width, int height) {
  const std::string caption(item.caption);
  HWND button = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                                GetModuleHandleA(nullptr), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(ui::DialogFont()), FALSE);
  return button;
}

const NavigationItem* FindItem(int id) {
  for (const NavigationItem& item : NavigationChrome()) {
    if (item.id == id) return &item;
  }
  for (const NavigationGroup& group : NavigationGroups()) {
    for (const NavigationItem& item : group.items) {
      if (item.id == id) return &item;
    }
  }
  return nullptr;
}

}  // namespace

NavigationSurface::~NavigationSurface() {
  if (titleFont_) DeleteObject(titleFont_);
}

bool NavigationSurface::Create(HWND mainWindow) {
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
  if (!ui::Window::Create(args)) return false;
  CreateItems();
  ShowView(View::Home);
  return true;
}

void NavigationSurface::CreateItems() {
  int x = kWidth - 3 * 34;
  for (int id : {IDC_FS_minimizeButton, IDC_FS_trayButton, IDC_FS_closeButton}) {
    MakeButton(hwnd(), *FindItem(id), x, 6, 30, 28);
    x += 34;
  }
  int y = kTitleHeight + 8;
  for (const NavigationGroup& group : NavigationGroups()) {
    y += 18;
    for (const NavigationItem& item : group.items) {
      MakeButton(hwnd(), item, 12, y, kMenuWidth - 24, 22);
      y += 24;
    }
  }
  MakeButton(hwnd(), *FindItem(IDC_FS_homeButton), 12, kHeight - 34, 96, 26);
  MakeButton(hwnd(), *FindItem(IDC_FS_restartButton), 112, kHeight - 34, 96, 26);
  MakeButton(hwnd(), *FindItem(IDC_FS_closeAboutButton), kWidth - 110, kHeight - 40, 96, 28);
}

void NavigationSurface::Send(std::string_view command) {
  if (sink_) sink_(command, "");
}

void NavigationSurface::ShowView(View view) {
  view_ = view;
  ShowWindow(GetDlgItem(hwnd(), IDC_FS_closeAboutButton), view == View::About ? SW_SHOW : SW_HIDE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void NavigationSurface::SetVariable(std::string_view name, std::string_view value) {
  if (name == "_root.version") {
    version_ = value;
    InvalidateRect(hwnd(), nullptr, TRUE);
  } else if (name == "_root.home" && value == "true") {
    ShowView(View::Home);
  }
}

POINT NavigationSurface::ContentOrigin() const { return kContentOrigin; }

void NavigationSurface::Paint(HDC dc) {
  RECT title{0, 0, kWidth, kTitleHeight};
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, " Tidewave", -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (view_ == View::About) {
    RECT about{kContentOrigin.x, kContentOrigin.y, kWidth - 12, kHeight - 60};
    const std::string text = "Tidewave\r\nVersion " + version_;
    DrawTextA(dc, text.c_str(), -1, &about, DT_LEFT);
  }
}

LRESULT NavigationSurface::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (const NavigationItem* item = FindItem(LOWORD(wParam)); item && HIWORD(wParam) == BN_CLICKED) {
        if (item->id == IDC_FS_closeAboutButton) ShowView(View::Home);
        if (item->command == "IDC_FS_about") ShowView(View::About);
        Send(item->command);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (HIWORD(lParam) < kTitleHeight) Send("Drag");
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      Paint(dc);
      EndPaint(hwnd(), &paint);
      return 0;
    }
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw
