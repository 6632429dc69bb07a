#pragma once
// The navigation surface's layout and what it paints: the page behind its
// controls (title band, side bar, hero, content card, the home and about
// views) and each of its owner-drawn controls.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/win32/NavigationDrawing.h"
#include "ui/Panels.h"

namespace tw::nav {

// Layout, in the surface's pixels.
constexpr int kSurfaceWidth = 724;
constexpr int kSurfaceHeight = 540;
constexpr int kTitleHeight = 44;
constexpr int kSideWidth = 196;
constexpr int kStatusTop = 508;
constexpr int kCardPadding = 12;
// The content area, where the panel host goes: as wide as the panels.
constexpr int kContentWidth = ui::kHostWidth;
constexpr int kContentHeight = 255;
constexpr POINT kContentOrigin{240, 160};
constexpr RECT kContent{kContentOrigin.x, kContentOrigin.y, kContentOrigin.x + kContentWidth,
                        kContentOrigin.y + kContentHeight};
constexpr RECT kCard{kContent.left - kCardPadding, kContent.top - kCardPadding, kContent.right + kCardPadding,
                     kContent.bottom + kCardPadding};
constexpr int kHeroBottom = 176;
constexpr int kActionTop = kCard.bottom + 12;
constexpr int kActionHeight = 28;
// The home view's line about the last change, under the content card.
constexpr RECT kLastChangeLine{kCard.left, kActionTop - 4, kCard.right, kStatusTop - 6};

// The home view's four cards, in the order of the menu groups they open.
constexpr int kHomeCardCount = 4;
constexpr RECT HomeCardRect(int index) {
  constexpr int kGap = 12;
  constexpr int kCardWidth = (kContentWidth - kGap) / 2;
  constexpr int kCardHeight = (kContentHeight - kGap) / 2;
  return RECT{kContent.left + (index % 2) * (kCardWidth + kGap), kContent.top + (index / 2) * (kCardHeight + kGap),
              kContent.left + (index % 2) * (kCardWidth + kGap) + kCardWidth,
              kContent.top + (index / 2) * (kCardHeight + kGap) + kCardHeight};
}

enum class View { Home, About };

enum class ControlKind {
  TitleStrip,
  TitleButton,   // Main Settings, Help, About
  WindowButton,  // minimise, tray, close
  SideItem,      // Home and the menu items
  Heading,       // a group heading that is only a label
  HeadingButton,
  ActionButton,  // under the content card while a panel is open
  PrimaryButton,
  RestartButton,
  StatusLabel,
  HomeCard,         // one of the home view's four cards
  LastChangeLabel,  // what the last apply or restore did
};

// One control of the surface: its id, kind, caption and place. The version
// and last-change labels start empty; the surface fills them in.
struct NavigationControl {
  int id;
  ControlKind kind;
  std::string caption;
  RECT rect;
};

// Every control of the surface in creation order, which is the Tab order.
std::vector<NavigationControl> ControlLayout();

// Whether control `id` is shown in `view` with `activeItem`'s panel open
// (0 for none). The home view's last-change line shows only with a text.
bool ShownInView(int id, View view, int activeItem, bool lastChangeShown);

// Everything but the controls: `activeItem` is the item whose panel is open
// (0 for none), `version` the program's version as the main window set it.
// The home view's hint under the cards gives way to the last-change line.
void PaintPage(HDC dc, const Look& look, View view, int activeItem, std::string_view version, bool lastChangeShown);

// How a control looks at one moment.
struct ControlState {
  bool hot = false;       // the mouse is over it
  bool selected = false;  // the item of the open panel
  bool pressed = false;
  bool focused = false;  // shows its focus ring
  bool cues = false;     // underlines its access key
};

// One control, filling `rect` of `dc`.
void DrawControl(HDC dc, const RECT& rect, int id, ControlKind kind, std::string_view caption, const Look& look,
                 const ControlState& state);

}  // namespace tw::nav
