// Must not compile in an engine: engines see only the suite's constants of common/.
#include "common/text_file.h"
