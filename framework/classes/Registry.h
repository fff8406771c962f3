#pragma once

#include "framework/classes/Object.h"

#include <initializer_list>

// The classes form files may name. Registering a class twice is harmless; a different class
// of the same name replaces nothing and raises EFilerError "A class named TFoo already exists".
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
void UnRegisterClass(TClass AClass);
TClass GetClass(const String& AClassName);  // nullptr when not registered; case ignored
TClass FindClass(const String& AClassName); // EClassNotFound "Class TFoo not found"

// RegisterClass<TButton, TEdit>() registers the listed classes.
template <class... C> void RegisterClass() { RegisterClasses({C::StaticClass()...}); }
