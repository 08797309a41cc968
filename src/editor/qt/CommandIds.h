// The command ids live in the core, where the batch mode reads them too.
#pragma once

#include "editor/CommandIds.h"
