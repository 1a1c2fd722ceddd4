#pragma once

#include <functional>

class Contexto;

// What the report items of the main menu do: load the rows themselves and open the output
// choice, or hand the report key to the parameter dialog that loads them.
namespace MenuRelatorios {

// Loads the rows of `chave` (a report without a dialog) and opens the output choice with it.
// A database error is shown and nothing opens.
std::function<void()> semDialogo(Contexto& app, const char* chave);
// Opens the group dialog of the two group stock lists with `chave`.
std::function<void()> doGrupo(Contexto& app, const char* chave);

// Opens the parameter dialog of a movement key (TfDatas, TfDatas_Produto, TfDatas_Grupo or
// TfDatas_REQ, as the key says) with `chave`.
std::function<void()> comDialogo(Contexto& app, const char* chave);

} // namespace MenuRelatorios
