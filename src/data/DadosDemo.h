#pragma once

#include <QtGlobal>

class Conexao;

namespace DadosDemo {

// A small, believable stock room: groups, consumable and lent-out products, requisitioners,
// supplier groups, suppliers, the company's data, and some entries, exits and loans whose
// quantities and average costs agree with the products. Only into a database with no products.
void preenche(Conexao& conexao);

// Bulk data for benchmarks: `produtos` products and `movimentos` ledger rows spread over them
// and over the last years, in large transactions with prepared statements.
void preencheVolume(Conexao& conexao, qint64 produtos, qint64 movimentos);

} // namespace DadosDemo
