// A store file that reaches up into the widget kit: the layer check must refuse it.
#include "encyclopedia/Encyclopedia.h"
#include "kit/Dialogs.h"
