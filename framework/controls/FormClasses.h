#pragma once

// Registers every framework class a form file may name (forms, standard controls, timers).
// It runs before main in each program that links the controls: the library asks the linker
// to keep this unit, which names every class and so keeps their units too. Calling it again
// is harmless.
void RegisterFormClasses();
