#include "app/win32/NavigationViews.h"

#include <algorithm>
#include <string>

#include "app/NavigationItems.h"
#include "ui/win32/Window.h"

namespace tw::nav {
namespace {

void PaintHero(HDC dc, const Look& look, View view, int activeItem) {
  Fill(dc, RECT{kSideWidth, kTitleHeight, kSurfaceWidth, kHeroBottom}, palette::kHero);
  Wave(dc, 500, kSurfaceWidth - 1, 78, 6, 140, 0.0, palette::kHeroWave, 3);
  Wave(dc, 540, kSurfaceWidth - 1, 94, 5, 120, 1.2, palette::kHeroWave, 2);

  std::string eyebrow = "OVERVIEW", headline = "Welcome to Tidewave",
              line = "A faster, steadier connection and free memory, from one small window.";
  if (view == View::About) {
    eyebrow = "ABOUT";
    headline = "About Tidewave";
    line = "What it does, which version you have and where your backups are.";
  } else if (const NavigationItem* item = FindNavigationItem(activeItem)) {
    const NavigationGroup* group = FindNavigationGroup(activeItem);
    eyebrow = Upper(group ? CaptionText(group->caption) : "Tidewave");
    headline = CaptionText(item->caption);
    line = item->description;
  }
  constexpr int kLeft = kCard.left + 2;
  SetTextCharacterExtra(dc, 1);
  Text(dc, eyebrow, RECT{kLeft, 60, kSurfaceWidth - 24, 76}, look.heading.get(), palette::kAccentText,
       DT_SINGLELINE);
  SetTextCharacterExtra(dc, 0);
  Text(dc, headline, RECT{kLeft, 76, kSurfaceWidth - 24, 106}, look.title.get(), palette::kHeadline, DT_SINGLELINE);
  Text(dc, line, RECT{kLeft, 110, kSurfaceWidth - 24, 128}, look.body.get(), palette::kBody,
       DT_SINGLELINE | DT_END_ELLIPSIS);
}

struct Tile {
  Emblem emblem;
  const char* text;
};
// By card, in the order of the menu groups; each card's caption is its group's.
constexpr Tile kTiles[kHomeCardCount] = {
    {Emblem::Internet, "Tune TCP/IP for your line with a preset or step by step. Every change is backed up first."},
    {Emblem::Ram, "Watch memory and processor use, and free memory when it runs low."},
    {Emblem::Pinger, "Keep an idle connection open with a ping at a steady pace."},
    {Emblem::Settings, "Quick ways into the Windows settings behind your connection."},
};

void DrawHomeCard(HDC dc, const Look& look, int id, const RECT& tile, std::string_view caption,
                  const ControlState& state) {
  const int index = id - IDC_FS_firstHomeCard;
  if (index < 0 || index >= kHomeCardCount) return;
  Fill(dc, tile, palette::kWhite);
  COLORREF back = palette::kTile, border = palette::kTileBorder;
  if (state.pressed) {
    back = palette::kButtonPressed;
    border = palette::kButtonBorder;
  } else if (state.hot) {
    back = palette::kButtonHover;
    border = palette::kButtonBorder;
  }
  RoundBox(dc, tile, back, border, 6);
  DrawTileEmblem(dc, kTiles[index].emblem, Box(tile.left + 14, tile.top + 14, 36, 36));
  Caption(dc, caption, RECT{tile.left + 62, tile.top + 14, tile.right - 12, tile.top + 50},
          look.bold.get(), palette::kHeadline, DT_SINGLELINE | DT_VCENTER, state.cues);
  Text(dc, kTiles[index].text, RECT{tile.left + 16, tile.top + 60, tile.right - 14, tile.bottom - 8},
       look.small.get(), palette::kBody, DT_WORDBREAK);
  if (state.focused) FocusRing(dc, tile, palette::kAccent, 6);
}

void PaintHint(HDC dc, const Look& look) {
  Text(dc, "Hidden in the notification area, Tidewave keeps pinging and watching memory.",
       RECT{kCard.left + 2, kActionTop, kCard.right, kActionTop + kActionHeight}, look.small.get(), palette::kMuted,
       DT_SINGLELINE | DT_VCENTER);
}

void PaintAbout(HDC dc, const Look& look, std::string_view version) {
  const int left = kContent.left + 20, top = kContent.top + 24;
  DrawProgramEmblem(dc, look, left, top, 48);
  Text(dc, "Tidewave", RECT{left + 64, top + 2, kContent.right - 16, top + 28}, look.title.get(), palette::kHeadline,
       DT_SINGLELINE);
  const std::string versionLine = version.empty() ? std::string() : "Version " + std::string(version);
  Text(dc, versionLine, RECT{left + 64, top + 30, kContent.right - 16, top + 48}, look.body.get(), palette::kBody,
       DT_SINGLELINE);
  Fill(dc, RECT{left, top + 72, kContent.right - 20, top + 73}, palette::kTileBorder);
  Text(dc,
       "Tidewave tunes the TCP/IP settings of Windows for faster internet access, backs up every change it "
       "makes, keeps an idle connection alive and watches memory and processor use.",
       RECT{left, top + 88, kContent.right - 20, top + 140}, look.body.get(), palette::kItemText, DT_WORDBREAK);
  Text(dc, "Backups are kept in the Backups folder beside the program.",
       RECT{left, top + 150, kContent.right - 20, top + 170}, look.small.get(), palette::kMuted, DT_SINGLELINE);
}

}  // namespace

std::vector<NavigationControl> ControlLayout() {
  std::vector<NavigationControl> layout;
  const auto add = [&](int id, ControlKind kind, std::string_view caption, RECT rect) {
    layout.push_back({id, kind, std::string(caption), rect});
  };
  const auto caption = [](int id) { return FindNavigationItem(id)->caption; };
  // The side bar first, then what belongs to the content, then the title
  // strip's buttons and the window buttons.
  add(IDC_FS_titleStrip, ControlKind::TitleStrip, caption(IDC_FS_titleStrip), Box(0, 0, 336, kTitleHeight));

  constexpr int kSideX = 10, kSideItemWidth = kSideWidth - 2 * kSideX;
  constexpr int kItemHeight = 28, kHeadingHeight = 22, kGroupGap = 8;
  add(IDC_FS_homeButton, ControlKind::SideItem, caption(IDC_FS_homeButton), Box(kSideX, 56, kSideItemWidth, 30));
  int y = 96;
  for (const NavigationGroup& group : NavigationGroups()) {
    add(group.id, !group.command ? ControlKind::Heading : ControlKind::HeadingButton, group.caption,
        Box(kSideX, y, kSideItemWidth, kHeadingHeight));
    y += kHeadingHeight;
    for (const NavigationItem& item : group.items) {
      add(item.id, ControlKind::SideItem, item.caption, Box(kSideX, y, kSideItemWidth, kItemHeight));
      y += kItemHeight;
    }
    y += kGroupGap;
  }

  // The home view's cards, then its line about the last change (no tab stop).
  for (int i = 0; i < kHomeCardCount; ++i) {
    add(IDC_FS_firstHomeCard + i, ControlKind::HomeCard, CaptionText(NavigationGroups()[i].caption),
        HomeCardRect(i));
  }
  add(IDC_FS_lastChangeLabel, ControlKind::LastChangeLabel, "", kLastChangeLine);

  const int closeLeft = kCard.right - 104;
  add(IDC_FS_hidePanelButton, ControlKind::ActionButton, caption(IDC_FS_hidePanelButton),
      Box(closeLeft - 8 - 84, kActionTop, 84, kActionHeight));
  add(IDC_FS_closePanelButton, ControlKind::ActionButton, caption(IDC_FS_closePanelButton),
      Box(closeLeft, kActionTop, 104, kActionHeight));
  add(IDC_FS_closeAboutButton, ControlKind::PrimaryButton, caption(IDC_FS_closeAboutButton),
      Box(kCard.right - 84, kActionTop, 84, kActionHeight));

  constexpr int kWindowButtonWidth = 46;
  const int windowButtonsLeft = kSurfaceWidth - 3 * kWindowButtonWidth;
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
    add(kTitleButtons[i].id, ControlKind::TitleButton, caption(kTitleButtons[i].id), titleRects[i]);
  }

  add(IDC_FS_restartButton, ControlKind::RestartButton, caption(IDC_FS_restartButton),
      Box(kSurfaceWidth - 12 - 150, kStatusTop + 4, 150, kSurfaceHeight - kStatusTop - 8));
  // Between the status bar's rule and the window's hairline at the foot, both left whole.
  add(IDC_FS_versionLabel, ControlKind::StatusLabel, "", Box(16, kStatusTop + 1, 300, kSurfaceHeight - kStatusTop - 2));

  x = windowButtonsLeft;
  for (int id : {IDC_FS_minimizeButton, IDC_FS_trayButton, IDC_FS_closeButton}) {
    add(id, ControlKind::WindowButton, caption(id), Box(x, 0, kWindowButtonWidth, kTitleHeight));
    x += kWindowButtonWidth;
  }
  return layout;
}

bool ShownInView(int id, View view, int activeItem, bool lastChangeShown) {
  const bool home = view == View::Home && activeItem == 0;
  switch (id) {
    case IDC_FS_hidePanelButton:
    case IDC_FS_closePanelButton: return view == View::Home && activeItem != 0;
    case IDC_FS_closeAboutButton: return view == View::About;
    case IDC_FS_lastChangeLabel: return home && lastChangeShown;
    default:
      if (id >= IDC_FS_firstHomeCard && id < IDC_FS_firstHomeCard + kHomeCardCount) return home;
      return true;
  }
}

void PaintPage(HDC dc, const Look& look, View view, int activeItem, std::string_view version, bool lastChangeShown) {
  Fill(dc, Box(0, 0, kSurfaceWidth, kTitleHeight), palette::kDeep);
  Fill(dc, RECT{0, kTitleHeight, kSideWidth, kStatusTop}, palette::kSide);
  Fill(dc, RECT{kSideWidth - 1, kTitleHeight, kSideWidth, kStatusTop}, palette::kRule);
  Fill(dc, RECT{kSideWidth, kTitleHeight, kSurfaceWidth, kStatusTop}, palette::kWhite);
  Fill(dc, RECT{0, kStatusTop, kSurfaceWidth, kSurfaceHeight}, palette::kSide);
  Fill(dc, RECT{0, kStatusTop, kSurfaceWidth, kStatusTop + 1}, palette::kRule);
  PaintHero(dc, look, view, activeItem);

  // The content card, lifted a little off the page.
  Fill(dc, RECT{kCard.left + 2, kCard.bottom, kCard.right - 2, kCard.bottom + 1}, palette::kShadow1);
  Fill(dc, RECT{kCard.left + 4, kCard.bottom + 1, kCard.right - 4, kCard.bottom + 2}, palette::kShadow2);
  RoundBox(dc, kCard, palette::kWhite, palette::kCardBorder, 6);

  // A hairline round the window, which has no frame of its own.
  Lines(dc, palette::kEdge, 1,
        {{0, kTitleHeight}, {0, kSurfaceHeight - 1}, {kSurfaceWidth - 1, kSurfaceHeight - 1},
         {kSurfaceWidth - 1, kTitleHeight - 1}});

  if (view == View::About) {
    PaintAbout(dc, look, version);
  } else if (activeItem == 0 && !lastChangeShown) {
    PaintHint(dc, look);
  }
}

namespace {

constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// The title strip, its text buttons and the window's own buttons.
void DrawTitleBarControl(HDC dc, const RECT& rect, int id, ControlKind kind, std::string_view caption,
                         const Look& look, const ControlState& state) {
  Fill(dc, rect, palette::kDeep);
  if (kind == ControlKind::TitleStrip) {
    DrawProgramEmblem(dc, look, 14, (kTitleHeight - 24) / 2, 24);
    Text(dc, caption, RECT{48, 0, rect.right, kTitleHeight}, look.brand.get(), palette::kWhite,
         DT_SINGLELINE | DT_VCENTER);
  } else if (kind == ControlKind::TitleButton) {
    if (state.pressed || state.hot) {
      RoundBox(dc, rect, state.pressed ? palette::kTitlePressed : palette::kTitleHover, CLR_INVALID, 4);
    }
    Caption(dc, caption, rect, look.body.get(), palette::kWhite, kCentred, state.cues);
    if (state.focused) FocusRing(dc, rect, palette::kWhite, 4);
  } else {
    const bool isClose = id == IDC_FS_closeButton;
    COLORREF back = palette::kDeep;
    if (state.pressed) {
      back = isClose ? palette::kClosePressed : palette::kTitlePressed;
    } else if (state.hot) {
      back = isClose ? palette::kCloseHover : palette::kTitleHover;
    }
    Fill(dc, rect, back);
    const Glyph glyph = id == IDC_FS_minimizeButton ? Glyph::Minimize
                        : id == IDC_FS_trayButton   ? Glyph::Tray
                                                    : Glyph::Close;
    DrawGlyph(dc, glyph, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, palette::kWhite);
    if (state.focused) FocusRing(dc, rect, palette::kWhite, 0);
  }
}

// A menu item of the side: its box follows the pointer and the selection.
void DrawSideItem(HDC dc, const RECT& rect, int id, std::string_view caption, const Look& look,
                  const ControlState& state) {
  Fill(dc, rect, palette::kSide);
  COLORREF back = palette::kSide;
  if (state.pressed) {
    back = palette::kItemPressed;
  } else if (state.selected) {
    back = palette::kItemSelected;
  } else if (state.hot) {
    back = palette::kItemHover;
  }
  if (back != palette::kSide) RoundBox(dc, rect, back, CLR_INVALID, 4);
  if (state.selected) Fill(dc, RECT{rect.left, rect.top + 6, rect.left + 3, rect.bottom - 6}, palette::kAccent);
  const int middle = (rect.top + rect.bottom) / 2;
  if (id == IDC_FS_homeButton) {
    DrawGlyph(dc, Glyph::Home, rect.left + 20, middle, state.selected ? palette::kDeep : palette::kItemText);
  }
  Caption(dc, caption, RECT{rect.left + 38, rect.top, rect.right - 6, rect.bottom},
          state.selected ? look.bold.get() : look.body.get(), state.selected ? palette::kDeep : palette::kItemText,
          DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, state.cues);
  if (state.focused) FocusRing(dc, rect, palette::kAccent, 4);
}

// The side's group headings and, at its foot, the restart button.
void DrawSideControl(HDC dc, const RECT& rect, ControlKind kind, std::string_view caption, const Look& look,
                     const ControlState& state) {
  Fill(dc, rect, palette::kSide);
  if (kind == ControlKind::RestartButton) {
    const bool lively = state.hot || state.pressed;
    if (lively) {
      RoundBox(dc, rect, state.pressed ? palette::kDangerPressed : palette::kDangerHover, palette::kDangerBorder, 4);
    }
    const COLORREF ink = lively ? palette::kDanger : palette::kBody;
    const int start = (rect.left + rect.right - CaptionWidth(dc, caption, look.body.get()) - 20) / 2;
    DrawGlyph(dc, Glyph::Power, start + 6, (rect.top + rect.bottom) / 2, ink);
    Caption(dc, caption, RECT{start + 20, rect.top, rect.right, rect.bottom}, look.body.get(), ink,
            DT_SINGLELINE | DT_VCENTER, state.cues);
  } else {
    const bool lively = kind == ControlKind::HeadingButton && (state.hot || state.pressed);
    SetTextCharacterExtra(dc, 1);
    Caption(dc, Upper(caption), RECT{rect.left + 10, rect.top, rect.right - 6, rect.bottom - 3}, look.heading.get(),
            lively ? palette::kAccentText : palette::kHeading, DT_SINGLELINE | DT_BOTTOM, state.cues);
    SetTextCharacterExtra(dc, 0);
  }
  if (state.focused) FocusRing(dc, rect, palette::kAccent, 4);
}

// The content's buttons: the primary one in the accent colour.
void DrawButton(HDC dc, const RECT& rect, bool primary, std::string_view caption, const Look& look,
                const ControlState& state) {
  Fill(dc, rect, palette::kWhite);
  COLORREF back = primary ? palette::kAccent : palette::kWhite;
  if (state.pressed) {
    back = primary ? palette::kDeep : palette::kButtonPressed;
  } else if (state.hot) {
    back = primary ? palette::kAccentHover : palette::kButtonHover;
  }
  RoundBox(dc, rect, back, primary ? back : palette::kButtonBorder, 4);
  Caption(dc, caption, rect, primary ? look.bold.get() : look.body.get(), primary ? palette::kWhite : palette::kDeep,
          kCentred, state.cues);
  if (state.focused) FocusRing(dc, rect, primary ? palette::kWhite : palette::kAccent, 3);
}

// A mark in the accent colour, as tall as the text, sets the line apart from
// the hint it replaces.
void DrawLastChangeLabel(HDC dc, const RECT& rect, std::string_view caption, const Look& look) {
  Fill(dc, rect, palette::kWhite);
  const RECT text{rect.left + 14, rect.top + 2, rect.right, rect.bottom};
  RECT used = text;
  {
    ui::SelectionGuard font(dc, look.small.get());
    DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &used, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  }
  Fill(dc, RECT{rect.left + 2, text.top + 1, rect.left + 5, std::min(used.bottom, rect.bottom) - 1}, palette::kAccent);
  Text(dc, caption, text, look.small.get(), palette::kBody, DT_WORDBREAK);
}

}  // namespace

void DrawControl(HDC dc, const RECT& rect, int id, ControlKind kind, std::string_view caption, const Look& look,
                 const ControlState& state) {
  switch (kind) {
    case ControlKind::TitleStrip:
    case ControlKind::TitleButton:
    case ControlKind::WindowButton: DrawTitleBarControl(dc, rect, id, kind, caption, look, state); break;
    case ControlKind::SideItem: DrawSideItem(dc, rect, id, caption, look, state); break;
    case ControlKind::Heading:
    case ControlKind::HeadingButton:
    case ControlKind::RestartButton: DrawSideControl(dc, rect, kind, caption, look, state); break;
    case ControlKind::ActionButton:
    case ControlKind::PrimaryButton:
      DrawButton(dc, rect, kind == ControlKind::PrimaryButton, caption, look, state);
      break;
    case ControlKind::StatusLabel:
      Fill(dc, rect, palette::kSide);
      Text(dc, caption, rect, look.small.get(), palette::kMuted, DT_SINGLELINE | DT_VCENTER);
      break;
    case ControlKind::HomeCard: DrawHomeCard(dc, look, id, rect, caption, state); break;
    case ControlKind::LastChangeLabel: DrawLastChangeLabel(dc, rect, caption, look); break;
  }
}

}  // namespace tw::nav
