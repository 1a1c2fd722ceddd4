#include "support/DiaMovimentado.h"

#include "data/firebird/Consulta.h"
#include "data/firebird/Transacao.h"
#include "support/BancoTeste.h"

#include <QDate>

namespace DiaMovimentado {

void escreve(BancoTeste& banco, int primeiro, int ultimo, const std::function<Linha(int)>& linha)
{
    Transacao tr(banco.conexao());
    Consulta mov(banco.conexao());
    mov.setSql("Insert into Mov_Estq (MOV_CodInt, MOV_CodPro, MOV_Oper, MOV_Quant, MOV_Valor, "
               "MOV_Data) values (:n, :p, :o, 1, 1, :d)");
    mov.setParametro("d", QDate::currentDate());
    for (int n = primeiro; n <= ultimo; ++n) {
        const Linha l = linha(n);
        mov.setParametro("n", n);
        mov.setParametro("p", l.produto);
        mov.setParametro("o", QString::fromLatin1(l.operacao));
        mov.executa(tr);
    }
    tr.commit();
}

} // namespace DiaMovimentado
