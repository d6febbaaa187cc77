#include "variables/system_facts.h"

namespace pathorama::variables {

std::optional<std::u16string> BatchSystemFacts::OpenedFolder() {
  if (!opened_.done) opened_ = {true, inner_.OpenedFolder()};
  return opened_.value;
}

std::optional<std::u16string> BatchSystemFacts::OfficeFolder(OfficeSource source) {
  Asked& asked = office_[static_cast<size_t>(source)];
  if (!asked.done) asked = {true, inner_.OfficeFolder(source)};
  return asked.value;
}

}  // namespace pathorama::variables
