#include "ui/win32/msgFrm.h"

#include <algorithm>
#include <vector>

#include "ui/win32/Fonts.h"

namespace tw::ui {
namespace {

int Px(int twips) { return twips / kTwipsPerPixel; }

HWND MakeControl(HWND parent, const char* className, std::string_view text, DWORD style, DWORD exStyle,
                 const TwipRect& rect, int id, HFONT font) {
  const std::string caption(text);
  HWND control = CreateWindowExA(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, Px(rect.left),
                                 Px(rect.top), Px(rect.width), Px(rect.height), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void Place(HWND control, const TwipRect& rect) {
  SetWindowPos(control, nullptr, Px(rect.left), Px(rect.top), Px(rect.width), Px(rect.height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetText(HWND control, std::string_view text) { SetWindowTextA(control, std::string(text).c_str()); }

bool Ticked(HWND check) { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }

COLORREF ColourOr(std::uint32_t colour, COLORREF fallback) { return colour == 0 ? fallback : colour; }

}  // namespace

// One layout's group box: the balloon's colour behind its controls, which it
// hands the colour to, and their notifications passed on to the window.
class msgFrm::Group final : public Window {
 public:
  explicit Group(msgFrm& owner) : owner_(owner) {}
  bool Make(int id) {
    WindowArgs args;
    args.className = "TidewaveMsgGroup";
    args.style = WS_CHILD | WS_CLIPSIBLINGS;
    args.exStyle = WS_EX_CONTROLPARENT;
    args.x = kGroupLeft;
    args.y = kGroupTop;
    args.width = kGroupWidth;
    args.height = 10;
    args.parent = owner_.hwnd();
    args.background = nullptr;
    if (!Create(args)) return false;
    SetWindowLongPtrA(hwnd(), GWLP_ID, id);
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    bool handled = false;
    const LRESULT result = owner_.GroupMessage(hwnd(), message, wParam, lParam, handled);
    return handled ? result : Window::OnMessage(message, wParam, lParam);
  }

 private:
  msgFrm& owner_;
};

UniqueBitmap DrawStripCell(HBITMAP strip, int cell, int size, COLORREF background) {
  if (strip == nullptr || cell < 1 || cell > kStripCells) return {};
  WindowDc screen(nullptr);
  UniqueBitmap result(CreateCompatibleBitmap(screen.get(), size, size));
  UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  UniqueDc target(CreateCompatibleDC(screen.get())), source(CreateCompatibleDC(screen.get())),
      maskDc(CreateCompatibleDC(screen.get()));
  if (!result || !mask || !target || !source || !maskDc) return {};
  SelectionGuard targetSelected(target.get(), result.get());
  SelectionGuard sourceSelected(source.get(), strip);
  SelectionGuard maskSelected(maskDc.get(), mask.get());
  const int left = size * (cell - 1);
  // The mask: white where the strip is green.
  SetBkColor(source.get(), RGB(0, 255, 0));
  BitBlt(maskDc.get(), 0, 0, size, size, source.get(), left, 0, SRCCOPY);
  // Background, then the strip through the mask: background ^ strip, kept
  // only where green, ^ strip again leaves the background there and the strip
  // everywhere else.
  UniqueBrush brush(CreateSolidBrush(background));
  RECT all{0, 0, size, size};
  FillRect(target.get(), &all, brush.get());
  SetTextColor(target.get(), RGB(0, 0, 0));
  SetBkColor(target.get(), RGB(255, 255, 255));
  BitBlt(target.get(), 0, 0, size, size, source.get(), left, 0, SRCINVERT);
  BitBlt(target.get(), 0, 0, size, size, maskDc.get(), 0, 0, SRCAND);
  BitBlt(target.get(), 0, 0, size, size, source.get(), left, 0, SRCINVERT);
  return result;
}

UniqueBitmap LoadIconStrip() {
  return UniqueBitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), "MSGICONS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

msgFrm::msgFrm(HWND owner, ITimerFactory* timers) : owner_(owner), timers_(timers != nullptr ? timers : &ownTimers_) {}

msgFrm::~msgFrm() {
  Timer1.reset();
  Unload();
}

bool msgFrm::Load() {
  if (IsLoaded()) return true;
  if (!CreateBalloon(kClassName, owner_)) return false;
  strip_ = LoadIconStrip();
  HFONT body = BodyFont(), bold = BoldFont();
  for (int i = 0; i < 3; ++i) {
    F1[i] = std::make_unique<Group>(*this);
    if (!F1[i]->Make(IDC_F1_0 + i)) return false;
  }
  const DWORD label = SS_LEFT | SS_NOPREFIX;
  const DWORD wrapped = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
  const DWORD icon = SS_BITMAP;
  const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
  const DWORD button = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
  // The message box.
  HWND g = F1[0]->hwnd();
  MakeControl(g, "STATIC", "", label, 0, {375, 45, 4215, 225}, IDC_LblTitle, bold);
  MakeControl(g, "STATIC", "", icon, 0, {45, 30, 240, 240}, IDC_P1, body);
  MakeControl(g, "STATIC", "", wrapped, 0, {75, 450, kMessageWidthTwips, 195}, IDC_lblmsg, body);
  MakeControl(g, "BUTTON", "", check, 0, {90, 1635, 4470, 255}, IDC_Check1, body);
  for (int i = 0; i < 3; ++i) MakeControl(g, "BUTTON", "", button, 0, {0, 0, 1200, 375}, IDC_cmd1_0 + i, body);
  // The input box.
  g = F1[1]->hwnd();
  MakeControl(g, "STATIC", "", label, 0, {375, 45, 4215, 225}, IDC_iTitle, bold);
  MakeControl(g, "STATIC", "", icon, 0, {45, 30, 240, 240}, IDC_iPic, body);
  MakeControl(g, "STATIC", "", wrapped, 0, {75, 465, kMessageWidthTwips, 195}, IDC_iMsg, body);
  MakeControl(g, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, {75, 1485, 4545, 315},
              IDC_iTxt, body);
  MakeControl(g, "BUTTON", "", check, 0, {60, 1830, 2595, 465}, IDC_Check2, body);
  MakeControl(g, "BUTTON", "Cancel", button, 0, {2730, 1860, 915, 360}, IDC_iCmd_0, body);
  MakeControl(g, "BUTTON", "OK", button | BS_DEFPUSHBUTTON, 0, {3690, 1860, 915, 360}, IDC_iCmd_1, body);
  // The timed notice.
  g = F1[2]->hwnd();
  MakeControl(g, "STATIC", "", label, 0, {420, 45, 3855, 225}, IDC_aTitle, bold);
  MakeControl(g, "STATIC", "", icon, 0, {45, 30, 240, 240}, IDC_aPic, body);
  MakeControl(g, "STATIC", "", wrapped, 0, {75, 465, kMessageWidthTwips, 195}, IDC_aMsg, body);
  MakeControl(g, "BUTTON", "Close", BS_OWNERDRAW | WS_TABSTOP | WS_GROUP, 0, {4380, 45, 240, 240}, IDC_command1,
              body);
  return true;
}

void msgFrm::Unload() {
  if (Timer1) Timer1->Stop();
  layout_ = -1;
  closeHot_ = false;
  if (HWND window = hwnd()) DestroyWindow(window);
  for (auto& group : F1) group.reset();
  icon_.Reset();
  for (auto& look : closeLooks_) look.Reset();
  strip_.Reset();
  backBrush_.Reset();
}

HWND msgFrm::Control(int id) const {
  if (id >= IDC_F1_0 && id <= IDC_F1_2) return F1[id - IDC_F1_0] ? F1[id - IDC_F1_0]->hwnd() : nullptr;
  for (const auto& group : F1) {
    if (!group || group->hwnd() == nullptr) continue;
    if (HWND control = GetDlgItem(group->hwnd(), id)) return control;
  }
  return nullptr;
}

void msgFrm::Prepare(std::uint32_t backColour, int lift) {
  SetBackColour(backColour);
  backBrush_.Reset(CreateSolidBrush(backColour));
  tagLift_ = BoundShadowLift(lift);
}

int msgFrm::TextHeightTwips(int id) const {
  HWND label = Control(id);
  WindowDc dc(label);
  SelectionGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  const std::string text = WindowText(label);
  RECT rect{0, 0, Px(kMessageWidthTwips), 0};
  DrawTextA(dc.get(), text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  return rect.bottom * kTwipsPerPixel;
}

void msgFrm::ShowGroup(int index, int heightTwips) {
  for (int i = 0; i < 3; ++i) ShowWindow(F1[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
  SetWindowPos(F1[index]->hwnd(), nullptr, kGroupLeft, kGroupTop, kGroupWidth, Px(heightTwips),
               SWP_NOZORDER | SWP_NOACTIVATE);
  layout_ = index;
}

void msgFrm::SetupButtons(std::uint32_t flags, std::string_view b1, std::string_view b2, std::string_view b3,
                          int top) {
  const MsgButtons buttons = ButtonsFor(flags, b1, b2, b3);
  // The caller's own set keeps its three places, an empty caption leaving a gap.
  const int places = (flags & kMsgButtonsMask) == kMsgCustomButtons
                         ? 3
                         : static_cast<int>(std::count_if(buttons.begin(), buttons.end(),
                                                          [](const MsgButton& b) { return !b.caption.empty(); }));
  const std::array<int, 3> lefts = ButtonLefts(places, kGroupWidthTwips, 1200);
  for (int i = 0; i < 3; ++i) {
    HWND button = Control(IDC_cmd1_0 + i);
    buttonValues_[i] = buttons[i].value;
    SetText(button, buttons[i].caption);
    Place(button, {lefts[i], top, 1200, 375});
    ShowWindow(button, buttons[i].caption.empty() ? SW_HIDE : SW_SHOW);
  }
}

void msgFrm::SetDisplayIcon(std::uint32_t flags, int layout) {
  static constexpr int kPictures[3] = {IDC_P1, IDC_iPic, IDC_aPic};
  HWND picture = Control(kPictures[layout]);
  const int cell = IconCell(flags);
  if (cell == 0) {
    ShowWindow(picture, SW_HIDE);
    return;
  }
  icon_ = DrawStripCell(strip_.get(), cell, kStripCellPixels, BackColour());
  SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icon_.get()));
  ShowWindow(picture, SW_SHOW);
}

void msgFrm::SetDefaultButton(std::uint32_t flags) {
  defaultButton_ = DefaultButton(flags);
  for (int i = 0; i < 3; ++i) {
    SendMessageA(Control(IDC_cmd1_0 + i), BM_SETSTYLE, i + 1 == defaultButton_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                 TRUE);
  }
}

int msgFrm::msg_Box(std::string_view prompt, std::uint32_t flags, std::string_view title, bool noTail,
                    std::string_view checkCaption, std::string_view button1, std::string_view button2,
                    std::string_view button3, std::uint32_t backColour, float x, float y, int lift) {
  Unload();
  if (!Load()) return 0;
  result_ = 0;
  SetText(Control(IDC_LblTitle), title);
  SetText(hwnd(), title);  // what a screen reader names the box by
  SetText(Control(IDC_lblmsg), prompt);
  Prepare(ColourOr(backColour, kDefaultMsgColour), lift);

  const MsgButtons buttons = ButtonsFor(flags, button1, button2, button3);
  const int count = static_cast<int>(
      std::count_if(buttons.begin(), buttons.end(), [](const MsgButton& b) { return !b.caption.empty(); }));
  const MessageBoxLayout layout = LayOutMessageBox(TextHeightTwips(IDC_lblmsg), count, IconCell(flags) != 0);
  Place(Control(IDC_LblTitle), layout.title);
  Place(Control(IDC_lblmsg), layout.message);
  HWND check = Control(IDC_Check1);
  Place(check, layout.check);
  SetText(check, checkCaption);
  ShowWindow(check, checkCaption.empty() ? SW_HIDE : SW_SHOW);
  ShowGroup(0, layout.groupHeight);
  SetBalloonHeight(layout.windowHeight);

  DrawBalloon(noTail, x, y, lift);
  SetupButtons(flags, button1, button2, button3, layout.buttons[0].top);
  SetDisplayIcon(flags, 0);
  SetDefaultButton(flags);
  RunModal();
  const int result = MsgBoxResult(result_, Ticked(check));
  Unload();
  return result;
}

std::string msgFrm::input_box(std::string_view prompt, std::uint32_t flags, std::string_view title,
                              std::string_view defaultText, bool noTail, std::string_view checkCaption,
                              std::uint32_t backColour, float x, float y, int lift) {
  Unload();
  if (!Load()) return {};
  result_ = -1;
  SetText(Control(IDC_iTitle), title);
  SetText(hwnd(), title);  // what a screen reader names the box by
  SetText(Control(IDC_iMsg), prompt);
  Prepare(ColourOr(backColour, kDefaultMsgColour), lift);

  const InputBoxLayout layout = LayOutInputBox(TextHeightTwips(IDC_iMsg), IconCell(flags) != 0);
  Place(Control(IDC_iTitle), layout.title);
  Place(Control(IDC_iMsg), layout.message);
  Place(Control(IDC_iTxt), layout.text);
  Place(Control(IDC_iCmd_1), layout.ok);
  Place(Control(IDC_iCmd_0), layout.cancel);
  HWND check = Control(IDC_Check2);
  Place(check, layout.check);
  SetText(check, checkCaption);
  ShowWindow(check, checkCaption.empty() ? SW_HIDE : SW_SHOW);
  ShowGroup(1, layout.groupHeight);
  SetBalloonHeight(layout.windowHeight);

  SetText(Control(IDC_iTxt), defaultText);
  DrawBalloon(noTail, x, y, lift);
  SetDisplayIcon(flags & kMsgIconMask, 1);
  RunModal();
  const std::string result = InputBoxResult(result_ == -1, WindowText(Control(IDC_iTxt)), Ticked(check));
  Unload();
  return result;
}

std::string msgFrm::MsgAuto_box(std::string_view prompt, std::uint32_t flags, std::string_view title, int seconds,
                                bool noTail, std::uint32_t backColour, float x, float y, int lift) {
  Unload();
  if (!Load()) return {};
  SetText(Control(IDC_aTitle), title);
  SetText(hwnd(), title);  // what a screen reader names the box by
  SetText(Control(IDC_aMsg), prompt);
  Prepare(backColour, lift);

  const NoticeLayout layout = LayOutNotice(TextHeightTwips(IDC_aMsg), IconCell(flags) != 0);
  Place(Control(IDC_aTitle), layout.title);
  Place(Control(IDC_aMsg), layout.message);
  Place(Control(IDC_command1), layout.close);
  ShowGroup(2, layout.groupHeight);
  SetBalloonHeight(layout.windowHeight);

  DrawBalloon(noTail, x, y, lift);
  SetDisplayIcon(flags & kMsgIconMask, 2);
  static constexpr int kCloseCells[3] = {kCloseNormalCell, kCloseHotCell, kClosePressedCell};
  for (int i = 0; i < 3; ++i) closeLooks_[i] = DrawStripCell(strip_.get(), kCloseCells[i], kStripCellPixels, backColour);

  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  // The tick only asks for the close: the timer is not taken down inside its own tick.
  if (!Timer1) Timer1 = timers_->MakeTimer([this] { PostMessageA(hwnd(), WM_CLOSE, 0, 0); });
  Timer1->Start(NoticeIntervalMs(seconds));
  return {};
}

void msgFrm::RunModal() {
  const bool disableOwner = owner_ != nullptr && IsWindowEnabled(owner_);
  if (disableOwner) EnableWindow(owner_, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  MSG message;
  while (IsWindow(hwnd()) && IsWindowVisible(hwnd())) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the program is ending: let its loop see it too
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageA(hwnd(), &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (disableOwner) EnableWindow(owner_, TRUE);
}

void msgFrm::OnButton(int id) {
  switch (id) {
    case IDC_cmd1_0:
    case IDC_cmd1_1:
    case IDC_cmd1_2:
      result_ = buttonValues_[id - IDC_cmd1_0];
      ShowWindow(hwnd(), SW_HIDE);
      break;
    case IDC_iCmd_1:
      if (GetWindowTextLengthA(Control(IDC_iTxt)) == 0) return;  // nothing typed: the box stays
      result_ = 0;
      ShowWindow(hwnd(), SW_HIDE);
      break;
    case IDC_iCmd_0:
      result_ = -1;
      ShowWindow(hwnd(), SW_HIDE);
      break;
    case IDC_command1: PostMessageA(hwnd(), WM_CLOSE, 0, 0); break;
    case IDOK:  // Enter where no button has the focus
      if (layout_ == 1) OnButton(IDC_iCmd_1);
      if (layout_ == 0 && defaultButton_ != 0) SendMessageA(Control(IDC_cmd1_0 + defaultButton_ - 1), BM_CLICK, 0, 0);
      break;
    case IDCANCEL:  // Escape: the box's Cancel, or its OK when that is its only button
      if (layout_ == 1) OnButton(IDC_iCmd_0);
      if (layout_ == 0) {
        std::vector<HWND> shown;
        for (int i = 0; i < 3; ++i) {
          if (IsWindowVisible(Control(IDC_cmd1_0 + i))) shown.push_back(Control(IDC_cmd1_0 + i));
        }
        for (HWND button : shown) {
          const std::string caption = WindowText(button);
          if (caption == "Cancel" || (caption == "OK" && shown.size() == 1)) {
            SendMessageA(button, BM_CLICK, 0, 0);
            break;
          }
        }
      }
      break;
    default: break;
  }
}

void msgFrm::DrawClose(const DRAWITEMSTRUCT& item) {
  const int look = (item.itemState & ODS_SELECTED) ? 2 : closeHot_ ? 1 : 0;
  UniqueDc source(CreateCompatibleDC(item.hDC));
  if (closeLooks_[look] && source) {
    SelectionGuard selected(source.get(), closeLooks_[look].get());
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, kStripCellPixels, kStripCellPixels, source.get(), 0, 0,
           SRCCOPY);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void msgFrm::BeginDrag() {
  if (!IsLoaded() || layout_ == 2) return;  // the notice stays where it was put
  ShowBodyOnly();
  RECT client{};
  GetClientRect(hwnd(), &client);
  HDC dc = Surface().dc();
  UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  {
    SelectionGuard selected(dc, pen.get());
    MoveToEx(dc, 5, 20, nullptr);
    LineTo(dc, client.right - 5, 20);
    MoveToEx(dc, 5, client.bottom - 25, nullptr);
    LineTo(dc, client.right - 5, client.bottom - 25);
  }
  GdiFlush();
  InvalidateRect(hwnd(), nullptr, FALSE);
  ReleaseCapture();
  POINT cursor{};
  GetCursorPos(&cursor);
  SendMessageA(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
  // Let the moved window repaint before the screen behind its new shadow is read.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (IsLoaded()) n_RefreshShadow(tagLift_);
}

LRESULT msgFrm::GroupMessage(HWND group, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rect{};
      GetClientRect(group, &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, backBrush_ ? backBrush_.get() : GetSysColorBrush(COLOR_INFOBK));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wParam), BackColour());
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(backBrush_.get());
    case WM_COMMAND:
    case WM_DRAWITEM: return SendMessageA(hwnd(), message, wParam, lParam);
    case WM_LBUTTONDOWN: BeginDrag(); return 0;
    case WM_SETCURSOR:
      // The mouse over the notice's close button: it lights up until the mouse leaves it for the group.
      if (reinterpret_cast<HWND>(wParam) == Control(IDC_command1) && !closeHot_) {
        closeHot_ = true;
        InvalidateRect(Control(IDC_command1), nullptr, FALSE);
      }
      handled = false;
      return 0;
    case WM_MOUSEMOVE:
      if (closeHot_) {
        closeHot_ = false;
        InvalidateRect(Control(IDC_command1), nullptr, FALSE);
      }
      return 0;
  }
  handled = false;
  return 0;
}

LRESULT msgFrm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) OnButton(LOWORD(wParam));
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID == static_cast<UINT>(IDC_command1)) {
        DrawClose(item);
        return TRUE;
      }
      break;
    }
    case WM_ACTIVATE:
      // The focus goes to the default button whenever the message box comes to the front.
      if (LOWORD(wParam) != WA_INACTIVE) {
        HWND target = nullptr;
        if (layout_ == 0 && defaultButton_ != 0) target = Control(IDC_cmd1_0 + defaultButton_ - 1);
        if (layout_ == 1) target = Control(IDC_iTxt);
        if (target != nullptr && IsWindowVisible(target)) {
          SetFocus(target);
          return 0;
        }
      }
      break;
    case WM_LBUTTONDOWN: BeginDrag(); return 0;
    case WM_CLOSE:
      // The notice's end (its timer or its close button); a modal box ends by its buttons only.
      if (layout_ == 2) Unload();
      return 0;
    // Its own timers tick only while it is shown.
    case WM_DESTROY: ownTimers_.StopAll(); break;
  }
  return BalloonWindow::OnMessage(message, wParam, lParam);
}

}  // namespace tw::ui
