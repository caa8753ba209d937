// The module of the text form's codec: yaml-cpp is loaded with it.

#include "app/TextForm.h"
#include "link/Modules.h"

namespace {

const TextForm::TextFormModule Table{&TextForm::Yaml::ConfigToText,
                                     &TextForm::Yaml::ParseConfigText};

} // namespace

PROGMZ515_MODULE(Table)
