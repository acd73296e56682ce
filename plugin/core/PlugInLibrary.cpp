// The plug-in library's entry points: registration of its classes and their class objects.
#include "host/core/ClassTable.h"

OSTREL_LIBRARY_EXPORTS("OstrelNB4410")
