#pragma once

// A busy day in the ledger: many movements written today in one transaction, the way the lists
// and exports that must cope with a day still coming in are tried.

#include <QString>

#include <functional>

class BancoTeste;

namespace DiaMovimentado {

// What one movement of the day moves: its product (a stored, padded code) and its kind ("EE",
// "SS", "TE", "TS").
struct Linha {
    QString produto;
    const char* operacao;
};

// Movements numbered `primeiro` to `ultimo`, dated today, each of quantity and value 1; `linha`
// says what the movement of each number moves.
void escreve(BancoTeste& banco, int primeiro, int ultimo, const std::function<Linha(int)>& linha);

} // namespace DiaMovimentado
