#include "panels/widgets/test_panels.h"

#include "panels/widgets/memory_forms.h"
#include "panels/widgets/ttl_forms.h"

namespace panels {

QWidget* createTestPanel(TestPanel which, sim::Simulator& panelSimulator, QWidget* parent) {
    switch (which) {
    case TestPanel::Ttl74LS00: return new Form4(panelSimulator, parent);
    case TestPanel::Ttl74LS138: return new Form8(panelSimulator, parent);
    case TestPanel::Ttl74LS244: return new Form9(panelSimulator, parent);
    case TestPanel::Ttl74LS374: return new Form10(panelSimulator, parent);
    case TestPanel::Ram6116: return new Form5(panelSimulator, parent);
    case TestPanel::Rom2732: return new Form11(panelSimulator, parent);
    }
    return nullptr;
}

}  // namespace panels
