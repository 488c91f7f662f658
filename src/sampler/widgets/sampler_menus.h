#pragma once
// The sampling display's menus "保存数据", "恢复数据" and "实验项目" on the
// main window's menu bar.

class QMenuBar;

namespace sampler {

class SamplingDisplay;

// Makes the three menus visible and connects their entries to `display`.
// Menus the bar already holds (found by their names save, menu_load and lab)
// are used as they are; missing menus and entries are added in their place.
void installSamplerMenus(QMenuBar* bar, SamplingDisplay* display);

}  // namespace sampler
