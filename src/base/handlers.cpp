#include "base/handlers.h"

HandlerTable Handlers;
