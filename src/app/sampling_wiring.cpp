// How the sampling display plugs into the program: its start values, its
// controls on the main window (shown, with their menus, only with --sampler),
// the readout in status-bar panels 3 and 4, and the device link behind "采样".

#include "app/main_window.h"
#include "app/program.h"
#include "link/link_state.h"
#include "sampler/link_sampler_device.h"
#include "sampler/sampler_state.h"
#include "sampler/widgets/sampler_menus.h"
#include "sampler/widgets/sampling_display.h"

#include <QDockWidget>

namespace app {

void wireSampling(Program& program) {
    SamplingHooks& sampling = program.hooks().sampling;
    sampling.setStartValues = [] { sampler::setSamplingStartValues(sampler::samplerState()); };
    sampling.onMainWindowLoad = [&program](MainWindow& w) {
        static sampler::LinkSamplerDevice device(devlink::linkState());
        auto* display = new sampler::SamplingDisplay(sampler::samplerState());
        display->setObjectName(QStringLiteral("SamplingDisplay"));
        display->setDevice(&device);
        QObject::connect(display, &sampler::SamplingDisplay::readoutChanged, &w,
                         [&w](const QString& time, const QString& sample) {
                             w.setStatusText(3, time);
                             w.setStatusText(4, sample);
                         });
        // The display stands above the bands, which keep the rest of the window.
        auto* dock = new QDockWidget(&w);
        dock->setObjectName(QStringLiteral("SamplingDock"));
        dock->setTitleBarWidget(new QWidget(dock));
        dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
        dock->setWidget(display);
        w.addDockWidget(Qt::TopDockWidgetArea, dock);
        dock->setVisible(program.options.sampler);
        if (program.options.sampler) sampler::installSamplerMenus(w.menuBar(), display);
    };
}

}  // namespace app
