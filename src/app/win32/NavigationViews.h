#pragma once
// The navigation surface's layout and what it paints: the page behind its
// controls (title band, side bar, hero, content card, the home and about
// views) and each of its owner-drawn controls.
#include <windows.h>

#include <string_view>

#include "app/win32/NavigationDrawing.h"

namespace tw::nav {

// Layout, in the surface's pixels.
constexpr int kSurfaceWidth = 724;
constexpr int kSurfaceHeight = 540;
constexpr int kTitleHeight = 44;
constexpr int kSideWidth = 196;
constexpr int kStatusTop = 508;
constexpr int kCardPadding = 12;
// The content area, where the panel host goes.
constexpr int kContentWidth = 440;
constexpr int kContentHeight = 255;
constexpr POINT kContentOrigin{240, 160};
constexpr RECT kContent{kContentOrigin.x, kContentOrigin.y, kContentOrigin.x + kContentWidth,
                        kContentOrigin.y + kContentHeight};
constexpr RECT kCard{kContent.left - kCardPadding, kContent.top - kCardPadding, kContent.right + kCardPadding,
                     kContent.bottom + kCardPadding};
constexpr int kHeroBottom = 176;
constexpr int kActionTop = kCard.bottom + 12;
constexpr int kActionHeight = 28;

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
};

// Everything but the controls: `activeItem` is the item whose panel is open
// (0 for none), `version` the program's version as "_root.version" set it.
void PaintPage(HDC dc, const Look& look, View view, int activeItem, std::string_view version);

// One control, for its WM_DRAWITEM: `hot` while the mouse is over it,
// `selected` for the item of the open panel.
void DrawControl(const DRAWITEMSTRUCT& item, const Look& look, ControlKind kind, bool hot, bool selected);

}  // namespace tw::nav
