#pragma once

// Kept for the tests that include it by this name: typing lives with the other window actions.
#include "support/Tela.h"

using Tela::digitaTexto;
