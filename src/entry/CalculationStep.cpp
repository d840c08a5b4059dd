#include "CalculationStep.h"

#include "LeakAlarm.h"
#include "LeakTest.h"
#include "ProgramChart.h"
#include "RunRecords.h"
#include "SlidingWindow.h"
#include "chart/ChartRecord.h"
#include "chart/Single.h"
#include "entry/NumberInput.h"
#include "state/TextResources.h"
#include "state/RuntimeError.h"

#include <optional>

namespace kelvane {

namespace {

// Message of each refusal the operator has to hear of; other failures pass silently.
std::optional<TextId> messageFor(const RuntimeError& error) {
  switch (error.number()) {
    case ErrorNumber::TypeMismatch: return TextId::InputTypeMismatch;
    case ErrorNumber::Overflow: return TextId::InputOverflow;
    default: return std::nullopt;
  }
}

void takeMoment(Program& program) {
  ProgramState& state = program.state;
  const RegionalForms& regional = program.env.regional;
  state.takeEntryMoment(program.env.clock.now(), regional);
  ClockLabels& clock = program.mainWindow.clockLabels();
  clock.setTimeCaption(regional.longTime(state.LastEntryTime));
  clock.setTimeVisible(true);
  clock.setDateCaption(regional.shortDate(state.LastEntryDate));
}

}  // namespace

float Data(Program& program) {
  const float value = typedSingle(program.mainWindow.entryText(), program.env.regional.locale());
  program.state.OperatingMode = Mode::Calculation;
  return value;
}

void btnCalculation_Click(Program& program) {
  ProgramState& state = program.state;
  MainWindowView& window = program.mainWindow;
  state.OperatingMode = Mode::Calculation;
  state.ExactXRange = false;
  try {
    state.EntryNumber += 1;
    state.MaximizedChart = false;
    window.setFullScreenEnabled(true);
    takeMoment(program);
    if (!state.LiveChart) {
      state.LiveChart = true;
      state.WindowStart = float(state.scaleStored);
    }
    ChartRecord record;
    prepareChartRecord(state, record);
    record.SeriesVisible.at(1) = true;

    const float value = Data(program);
    const double scaled = typedDouble(window.entryText(), program.env.regional.locale()) * 10000;
    // The chart carries values times 10000 as Singles: a value beyond that would enter the
    // window and block every later one, so it is refused before it enters anything.
    toSingle(scaled);
    // Only a value that has been read counts towards the window, so that it moves on in step
    // with the values it holds.
    state.scaleLimit += 1;
    state.LastValueScaled = scaled;

    updateSlidingWindow(state, record, window.graphField(), program.env);
    state.Decided = ProgramState::DecidedValue{value, state.LastEntryTimeText};
    showDecision(program);
    observeLeakAlarm(program, state.DatabasePath, value, state.LastEntryMoment);
    recordEntry(program, {state.EntryNumber, window.entryText(), value, state.LastEntryMoment,
                          state.LastEntryDateText, state.LastEntryTimeText,
                          state.Limits ? std::optional(state.Limits->upper) : std::nullopt});
  } catch (const RuntimeError& error) {
    if (const std::optional<TextId> message = messageFor(error)) {
      program.env.alert(LoadResString(*message));
    }
  }
}

}  // namespace kelvane
