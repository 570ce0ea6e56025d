// The statement keywords: what each does while compiling and while running.
#pragma once
#include <cstddef>
#include <cstdint>

// Handles the keyword of the statement just parsed (its words are in Parsed).
void HandleKeyword(int keyword, const uint8_t* encoded, size_t size);
