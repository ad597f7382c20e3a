// The scenario the user last opened or saved in the parameter window, kept
// for whatever takes a scenario's values beyond the window's own: an
// Analysis page taking its seed, the worksheet its days. app/ owns one
// (ApplicationWindows::scenarioState) and feeds it from frmMain.
//
//     const nv::ui::ScenarioState &state = windows.scenarioState();
//     if (state.current() && state.current()->seed) page.setSeed(*state.current()->seed);
//     QObject::connect(&state, &nv::ui::ScenarioState::scenarioOpened, &page, &Page::takeScenario);
#pragma once

#include <QObject>
#include <optional>

#include "io/scenario.h"

namespace nv::ui {

class ScenarioState final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The last scenario opened or saved; nullopt before the first.
    [[nodiscard]] const std::optional<Scenario> &current() const noexcept { return m_current; }

    // The parameter window opened a scenario (after taking its values) or
    // saved one: it becomes current, then the signal goes out.
    void setOpened(const Scenario &scenario);
    void setSaved(const Scenario &scenario);

signals:
    void scenarioOpened(const nv::Scenario &scenario);
    void scenarioSaved(const nv::Scenario &scenario);

private:
    std::optional<Scenario> m_current;
};

}  // namespace nv::ui
