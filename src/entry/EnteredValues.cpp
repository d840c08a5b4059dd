#include "EnteredValues.h"

namespace kelvane {

void EnteredValues::append(EnteredValue value) {
  values_.append(std::move(value));
  if (appended_) appended_(values_.last());
}

void EnteredValues::clear() {
  values_.clear();
  if (cleared_) cleared_();
}

void EnteredValues::showWith(std::function<void(const EnteredValue&)> appended, std::function<void()> cleared) {
  appended_ = std::move(appended);
  cleared_ = std::move(cleared);
}

}  // namespace kelvane
