#include "reader/ui/KippApp.h"

CKippApp theApp;
