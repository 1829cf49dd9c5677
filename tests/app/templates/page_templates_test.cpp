// The generated page templates held against the binding and the layer: every list a page binds fills its run
// without a contradiction and finds a control of its kind at each id; every control lies inside its dialog, none
// overlaps another and every text fits at the layer's fixed metrics. Each page is also rendered to PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/binding/binding_support.h"
#include "app/binding/dialog_binding.h"
#include "app/templates/page_templates.h"
#include "model/data_set.h"
#include "model/menu_list_table.h"
#include "model/message_presenter.h"
#include "platform/backend/capture.h"
#include "platform/testing/driver.h"
#include "tests/app/message_sink.h"

namespace {

namespace drv = platform::testing;
using app::PageDefinition;

INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class PageTemplatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model::SetMenuListTableForTest({});
    model::InitDataSet(0);
    model::SetMessagePresenter(&sink_);
  }
  void TearDown() override { model::SetMessagePresenter(nullptr); }

  HWND Open(const PageDefinition& def, std::uint8_t list = 0) {
    const DialogTemplate* dialog = app::PageTemplate(def.number, list);
    EXPECT_NE(dialog, nullptr);
    return dialog != nullptr ? CreateDialogIndirectParam(nullptr, dialog, nullptr, PlainProc, 0) : nullptr;
  }

  drv::Session session_;
  app_test::MessageSink sink_;
};

const DialogItemTemplate* ItemOf(const DialogTemplate& dialog, int id) {
  const DialogItemTemplate* found = nullptr;
  for (const DialogItemTemplate& item : dialog.items) {
    if (item.id == id) {
      EXPECT_EQ(found, nullptr) << "id " << id << " twice";
      found = &item;
    }
  }
  return found;
}

std::string ClassOf(const DialogItemTemplate& item) {
  const std::string cls = item.class_name;
  if (cls != WC_BUTTON) return cls;
  const DWORD type = item.style & BS_TYPEMASK;
  return type == BS_AUTOCHECKBOX ? "check" : type == BS_AUTORADIOBUTTON ? "radio" : "button";
}

// The control a row's kind and flag ask for at each of its ids.
std::string ExpectedClass(const model::MenuListEntry& row) {
  switch (row.kind) {
    case 1: case 7: case 9: case 10: case 13: return WC_EDIT;
    case 2: return row.flag != 0 ? "check" : WC_STATIC;
    case 3: return row.flag != 0 ? "radio" : WC_STATIC;
    case 4: return row.flag != 0 ? WC_COMBOBOX : WC_STATIC;
    case 14: return "check";
    default: return WC_STATIC;
  }
}

int WidestValueText(const model::MenuListEntry& row) {
  int widest = 0;
  for (int i = 1; i <= app::binding::ValueTextCount(row); ++i) {
    widest = std::max(widest, static_cast<int>(std::strlen(row.texts[i])));
  }
  return widest;
}

TEST_F(PageTemplatesTest, EveryListOfEveryPageFillsItsRunInControlsOfItsKinds) {
  std::size_t runs = 0;
  for (const PageDefinition& def : app::PageDefinitions()) {
    if (def.list == 0) {
      const DialogTemplate& dialog = *app::PageTemplate(def.number);
      for (int id = def.first; id < def.last; ++id) EXPECT_NE(ItemOf(dialog, id), nullptr) << def.number;
      EXPECT_TRUE(app::PageLists(def.number).empty());
      continue;
    }
    const auto lists = app::PageLists(def.number);
    EXPECT_NE(std::find(lists.begin(), lists.end(), def.list), lists.end()) << "page " << def.number;
    for (std::uint8_t list : lists) {
      SCOPED_TRACE(testing::Message() << "template " << def.number << " list " << int{list});
      ++runs;
      const DialogTemplate& dialog = *app::PageTemplate(def.number, list);
      app::binding::ListRows rows;
      ASSERT_TRUE(app::binding::LoadRows(list, 0, rows));
      if (def.layout == app::PageLayout::kJumpTargets) {
        for (int target = 0; target < 4; ++target) {
          HWND page = Open(def, list);
          const app::JumpTargetIds ids{def.first + 5 * target, def.first + 5 * target + 3,
                                       def.first + 5 * target + 1, def.first + 5 * target + 2,
                                       def.first + 5 * target + 4};
          EXPECT_EQ(app::FillJumpTargetDialog(page, list, static_cast<std::uint8_t>(target), ids, 0, 0), 0);
          DestroyWindow(page);
        }
        for (int id = def.first; id < def.last; ++id) EXPECT_NE(ItemOf(dialog, id), nullptr) << id;
        continue;
      }
      int id = def.first;
      for (std::size_t i = 0; i < rows.count; ++i) {
        const int ids = app::binding::IdsOfRow(rows[i]);
        for (int k = 0; k < ids; ++k, ++id) {
          const DialogItemTemplate* item = ItemOf(dialog, id);
          ASSERT_NE(item, nullptr) << "id " << id << " of " << rows[i].texts[0];
          EXPECT_EQ(ClassOf(*item), ExpectedClass(rows[i])) << "id " << id << " of " << rows[i].texts[0];
          const bool shows_text = ExpectedClass(rows[i]) == WC_STATIC && app::binding::IsSelectionKind(rows[i].kind);
          if (shows_text) {
            EXPECT_GE(item->cx, WidestValueText(rows[i]) * app::kCharWidth) << rows[i].texts[0];
          }
        }
      }
      EXPECT_EQ(id, def.last);
      HWND page = Open(def, list);
      EXPECT_EQ(app::FillDialogFromParameters(page, def.first, def.last, list, 0, 0), 0);
      DestroyWindow(page);
    }
  }
  EXPECT_TRUE(sink_.texts.empty()) << sink_.texts.front();
  EXPECT_GT(runs, 100u);
}

struct Box {
  int x0, y0, x1, y1;
};

Box BoxOf(const DialogItemTemplate& item) {
  // A combo box's template height is its dropped list; closed it is one line.
  const bool combo = std::strcmp(item.class_name, WC_COMBOBOX) == 0;
  return {item.x, item.y, item.x + item.cx, item.y + (combo ? app::kControlHeight : item.cy)};
}

int TextWidth(const DialogItemTemplate& item) {
  int chars = 0;
  for (const char* c = item.text; c != nullptr && *c != '\0'; ++c) chars += *c == '&' ? 0 : 1;
  const std::string cls = ClassOf(item);
  const int padding = cls == "button" ? 8 : (cls == "check" || cls == "radio") ? 12 : 0;
  return chars * app::kCharWidth + padding;
}

void ExpectLaidOutCleanly(const DialogTemplate& dialog) {
  for (std::size_t i = 0; i < dialog.items.size(); ++i) {
    const DialogItemTemplate& item = dialog.items[i];
    const Box box = BoxOf(item);
    EXPECT_GE(box.x0, 0) << item.id;
    EXPECT_GE(box.y0, 0) << item.id;
    EXPECT_LE(box.x1, dialog.cx) << item.id;
    EXPECT_LE(box.y1, dialog.cy) << item.id;
    EXPECT_GE(item.cx, TextWidth(item)) << item.id << " \"" << item.text << "\"";
    if (item.id != IDC_STATIC) ItemOf(dialog, item.id);
    for (std::size_t j = i + 1; j < dialog.items.size(); ++j) {
      const Box other = BoxOf(dialog.items[j]);
      const bool apart = box.x1 <= other.x0 || other.x1 <= box.x0 || box.y1 <= other.y0 || other.y1 <= box.y0;
      EXPECT_TRUE(apart) << item.id << " \"" << item.text << "\" and " << dialog.items[j].id << " \""
                         << dialog.items[j].text << "\"";
    }
  }
  // The page fits the layer's 1280 x 1024 screen at the fixed base units (6 x 13 pixels).
  EXPECT_LE(dialog.cx * 6 / 4, 1280);
  EXPECT_LE(dialog.cy * 13 / 8, 1000);
}

TEST_F(PageTemplatesTest, ControlsLieInsideTheirDialogApartAndWideEnoughForTheirTexts) {
  for (const PageDefinition& def : app::PageDefinitions()) {
    std::vector<int> lists;  // (ints: GCC 12 at -O3 warns falsely on a copied vector of bytes)
    for (std::uint8_t list : app::PageLists(def.number)) lists.push_back(list);
    if (lists.empty()) lists.push_back(0);
    for (int list : lists) {
      SCOPED_TRACE(testing::Message() << "template " << def.number << " list " << list);
      const DialogTemplate& dialog = *app::PageTemplate(def.number, static_cast<std::uint8_t>(list));
      EXPECT_STREQ(dialog.caption, def.caption);
      ExpectLaidOutCleanly(dialog);
    }
  }
}

TEST_F(PageTemplatesTest, UnitAndCodeLabelsCarryTheIdsThePagesRewrite) {
  struct Case {
    int number;
    int first;
    std::size_t at_least;
    const char* begins;
  };
  const Case cases[] = {{19, 350, 2, "s/150Hz"}, {20, 383, 9, "s/150Hz"}, {46, 527, 14, "unit"},
                        {74, 1451, 4, "unit"},   {71, 551, 2, "unit"},     {47, 584, 4, "unit"},
                        {67, 697, 3, "unit"}};  // the process data lengths are in bytes
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    const auto ids = app::PageUnitLabels(c.number);
    ASSERT_GE(ids.size(), c.at_least);
    const DialogTemplate& dialog = *app::PageTemplate(c.number);
    for (std::size_t i = 0; i < ids.size(); ++i) {
      EXPECT_EQ(ids[i], c.first + static_cast<int>(i));
      const DialogItemTemplate* item = ItemOf(dialog, ids[i]);
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(std::string(item->text).rfind(c.begins, 0), 0u) << item->text;
    }
  }
  const DialogTemplate& posi = *app::PageTemplate(47);
  for (int digit = 0; digit <= 8; ++digit) {
    const DialogItemTemplate* label = ItemOf(posi, 571 + digit);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(std::string(label->text).substr(0, 3), "J1" + std::to_string(digit));
  }
  EXPECT_EQ(std::string(ItemOf(posi, 580)->text).substr(0, 3), "L11");
  EXPECT_EQ(std::string(ItemOf(posi, 581)->text).substr(0, 3), "L10");
  EXPECT_EQ(app::PageTemplate(99), nullptr);
  EXPECT_TRUE(app::PageUnitLabels(99).empty());
}

TEST_F(PageTemplatesTest, EveryPageIsRenderedFilledAtTheFixedMetrics) {
  const std::filesystem::path folder = std::filesystem::path(ZPR_BIN_DIR) / "page-templates";
  std::filesystem::create_directories(folder);
  for (const PageDefinition& def : app::PageDefinitions()) {
    HWND page = Open(def);
    ASSERT_NE(page, nullptr);
    if (def.list != 0 && def.layout == app::PageLayout::kRows) {
      app::FillDialogFromParameters(page, def.first, def.last, def.list, 0, 0);
    }
    ShowWindow(page, SW_SHOW);
    UpdateWindow(page);
    drv::PumpUntilIdle();
    const auto png = folder / ("page-" + std::to_string(def.number) + ".png");
    EXPECT_TRUE(platform::backend::SaveWindowPng(page, png.string(), true)) << png;
    DestroyWindow(page);
  }
}

TEST_F(PageTemplatesTest, PagesAreRegisteredByNumber) {
  HINSTANCE instance = GetModuleHandle(nullptr);
  const std::size_t built = app::BuiltPageTemplateCount();
  app::RegisterPageTemplates(instance);
  EXPECT_EQ(app::BuiltPageTemplateCount(), built);  // each is built when a page first asks for it
  for (const PageDefinition& def : app::PageDefinitions()) {
    EXPECT_EQ(platform::win::FindDialogTemplate(instance, MAKEINTRESOURCE(def.number)), app::PageTemplate(def.number));
  }
}

}  // namespace
