// Asynchronous events: the runner's services post them between steps, and the step's
// Asynchronous stage runs each as an Other event (of the posted subtype) for every instance
// whose object has that event, with the event's details in a fresh map that `async_load` names
// while the handlers run. The map is destroyed afterwards; `async_load` is −1 outside.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

using AsyncValue = std::variant<double, std::string>;
using AsyncDetails = std::vector<std::pair<std::string, AsyncValue>>;

void PostAsyncEvent(int32_t subtype, AsyncDetails details);
// In the order posted; stops, keeping the rest for the next step, once a room change is
// pending.
void RunAsyncEvents();
// Drops what is queued (a new game, a test's fresh start).
void ClearAsyncEvents();
// `async_load`.
void RegisterAsyncVariables();
