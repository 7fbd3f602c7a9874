// A drawing file that reaches up into the forms runtime.
#include "forms/form.h"
