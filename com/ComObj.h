#pragma once
// The COM frame in one include: object base, class factory, class manager,
// server interface, the exception boundary and the COM exceptions.
#include "com/ComBoundary.h"
#include "com/ComClassManager.h"
#include "com/ComObject.h"
#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"
#include "com/ErrorBox.h"
#include "com/InterfaceTable.h"
#include "com/OleErrors.h"
