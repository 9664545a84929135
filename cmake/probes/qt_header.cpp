// Must not compile in a core: cores are plain C++ and see no Qt.
#include <QString>
