#include "reports/MenuRelatorios.h"

#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/Contexto.h"
#include "data/firebird/ErroBanco.h"
#include "reports/Busca_Rel_Grupo.h"
#include "reports/DialogoRelatorio.h"
#include "reports/Tela_Impressora.h"

namespace MenuRelatorios {

std::function<void()> semDialogo(Contexto& app, const char* chave)
{
    return [&app, chave = QString::fromUtf8(chave)] {
        TfTela_Impressora& tela = app.janela<TfTela_Impressora>();
        try {
            tela.relatorios().carregaSemDialogo(chave);
        } catch (const ErroBanco& e) {
            Mensagens::erro(e.mensagem());
            return;
        }
        tela.Relatorio = chave;
        Modal::exec(&tela);
    };
}

std::function<void()> doGrupo(Contexto& app, const char* chave)
{
    return [&app, chave = QString::fromUtf8(chave)] {
        TfBusca_Rel_Grupo& dialogo = app.janela<TfBusca_Rel_Grupo>();
        dialogo.Relatorio = chave;
        Modal::exec(&dialogo);
    };
}

std::function<void()> comDialogo(Contexto& app, const char* chave)
{
    return [&app, chave = QString::fromUtf8(chave)] {
        DialogoRelatorio* d = nullptr;
        switch (Relatorios::dialogoDaChave(chave).value_or(Relatorios::Dialogo::Datas)) {
        case Relatorios::Dialogo::Datas:
            d = &app.janela<TfDatas>();
            break;
        case Relatorios::Dialogo::Produto:
            d = &app.janela<TfDatas_Produto>();
            break;
        case Relatorios::Dialogo::Grupo:
            d = &app.janela<TfDatas_Grupo>();
            break;
        case Relatorios::Dialogo::Requisitante:
            d = &app.janela<TfDatas_REQ>();
            break;
        }
        d->Relatorio = chave;
        Modal::exec(d);
    };
}

} // namespace MenuRelatorios
