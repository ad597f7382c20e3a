#include "app/scenario_state.h"

namespace nv::ui {

void ScenarioState::setOpened(const Scenario &scenario) {
    m_current = scenario;
    emit scenarioOpened(scenario);
}

void ScenarioState::setSaved(const Scenario &scenario) {
    m_current = scenario;
    emit scenarioSaved(scenario);
}

}  // namespace nv::ui
