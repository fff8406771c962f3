#pragma once

#include <functional>

class TObject;

// The framework's plain event: the object that sends it.
using TNotifyEvent = std::function<void(TObject* Sender)>;
