#include "data/DataModule_MovConsu.h"

TdmMovConsu::TdmMovConsu(Conexao& c) : SQLQMOVConsu(c), SQLQMovConsu2(c)
{
    formataEmprestimos(cdsMovConsu);
}

void TdmMovConsu::montaLista(const QString& filtro)
{
    SQLQMovConsu2.limpa();
    SQLQMovConsu2.limpaParametros();
    SQLQMovConsu2.adiciona(
        QStringLiteral("Select m.*,p.PRO_Descricao, t.REQ_Descricao From Mov_Consu m join"));
    SQLQMovConsu2.adiciona(
        QStringLiteral("Produtos p on (m.MOV_CodPro = p.PRO_Codigo)  Left "
                       "Outer join Requisitante t on (m.MOV_Tipo=t.REQ_CODIGO) ") +
        filtro);
}

void TdmMovConsu::carregaEmprestimos(const QString& produto, const QString& requisitante)
{
    const bool porProduto = !produto.trimmed().isEmpty();
    const bool porRequisitante = !requisitante.trimmed().isEmpty();
    if (porProduto && porRequisitante)
        montaLista(QStringLiteral("Where m.MOV_Devolvido='N' and m.MOV_Tipo=:CodReqC and "
                                  "m.MOV_CodPro=:CodProC"));
    else if (porProduto)
        montaLista(QStringLiteral("Where m.MOV_Devolvido='N' and m.MOV_CodPro=:CodigoC"));
    else if (porRequisitante)
        montaLista(QStringLiteral("Where m.MOV_Devolvido='N' and m.MOV_Tipo=:CodReqC"));
    else
        montaLista(QStringLiteral("Where m.MOV_Devolvido='N'"));
    if (porProduto) {
        SQLQMovConsu2.setParametro(
            porRequisitante ? QStringLiteral("CodProC") : QStringLiteral("CodigoC"), produto);
    }
    if (porRequisitante)
        SQLQMovConsu2.setParametro(QStringLiteral("CodReqC"), requisitante);
    cdsMovConsu.abre(SQLQMovConsu2);
}

void TdmMovConsu::esvaziaEmprestimos()
{
    montaLista(QStringLiteral("Where p.PRO_Codigo=''"));
    cdsMovConsu.abre(SQLQMovConsu2);
}

void TdmMovConsu::recarrega()
{
    cdsMovConsu.abre(SQLQMovConsu2);
}

std::optional<Emprestimo> TdmMovConsu::emprestimoAtual() const
{
    if (cdsMovConsu.linhaAtual() < 0)
        return std::nullopt;
    return emprestimoDaLinha(cdsMovConsu, cdsMovConsu.linhaAtual());
}

void TdmMovConsu::carregaAtrasadas(const QDate& hoje)
{
    SQLQMovConsu2.limpa();
    SQLQMovConsu2.limpaParametros();
    SQLQMovConsu2.adiciona(QStringLiteral(
        "SElect m.*,p.PRO_Descricao, t.REQ_Descricao From Mov_Consu m join Produtos p on "
        "(m.MOV_CodPro = p.PRO_Codigo)  Left Outer join Requisitante t on "
        "(m.MOV_Tipo=t.REQ_CODIGO) Where m.MOV_DataD < :DataAtualC and MOV_Devolvido='N'"));
    SQLQMovConsu2.setParametro(QStringLiteral("DataAtualC"), hoje);
    cdsMovConsu.carrega(SQLQMovConsu2);
}

void preparaAtrasadas(Consulta& consulta, const QDate& hoje)
{
    consulta.limpa();
    consulta.limpaParametros();
    consulta.adiciona(QStringLiteral(
        "SElect m.*,p.PRO_Descricao, t.REQ_Descricao From Mov_Consu m join Produtos p on "
        "(m.MOV_CodPro = p.PRO_Codigo)  Left Outer join Requisitante t on "
        "(m.MOV_Tipo=t.REQ_CODIGO) Where m.MOV_DataD < :DataAtualC and MOV_Devolvido='N'"));
    consulta.setParametro(QStringLiteral("DataAtualC"), hoje);
}

void preparaEmprestimosVencendo(Consulta& consulta, const QDate& de, const QDate& ate)
{
    consulta.limpa();
    consulta.limpaParametros();
    consulta.adiciona(QStringLiteral(
        "Select m.MOV_CodInt, m.MOV_CodPro, p.PRO_Descricao, m.MOV_Tipo, t.REQ_Descricao, "
        "m.MOV_Data, m.MOV_DataD, m.MOV_Quant, m.MOV_Doc From Mov_Consu m join"));
    consulta.adiciona(QStringLiteral("Produtos p on (m.MOV_CodPro = p.PRO_Codigo)  Left Outer "
                                     "join Requisitante t on (m.MOV_Tipo=t.REQ_CODIGO)"));
    // Open loans by due date: the index on (returned, due date) reads only those days.
    if (de.isValid()) {
        consulta.adiciona(
            QStringLiteral("Where m.MOV_Devolvido='N' and m.MOV_DataD between :DeD and :AteD"));
        consulta.setParametro(QStringLiteral("DeD"), de);
    } else {
        consulta.adiciona(QStringLiteral("Where m.MOV_Devolvido='N' and m.MOV_DataD <= :AteD"));
    }
    consulta.setParametro(QStringLiteral("AteD"), ate);
    consulta.adiciona(QStringLiteral("Order By m.MOV_DataD, m.MOV_CodInt"));
}

void formataEmprestimos(DataSet& lista)
{
    lista.setFormatos({{QStringLiteral("MOV_QUANT"), DataSet::Formato::QuantidadeSemMilhar},
                       {QStringLiteral("MOV_DATA"), DataSet::Formato::Data},
                       {QStringLiteral("MOV_DATAD"), DataSet::Formato::Data},
                       {QStringLiteral("MOV_DATAE"), DataSet::Formato::Data}});
}

Emprestimo emprestimoDaLinha(const DataSet& lista, int linha)
{
    const auto valor = [&](const char* campo) { return lista.valor(linha, QLatin1String(campo)); };
    Emprestimo e;
    e.numero = valor("MOV_CODINT").toLongLong();
    e.produto = valor("MOV_CODPRO").toString();
    e.requisitante = valor("MOV_TIPO").toString();
    const QVariant quantidade = valor("MOV_QUANT");
    if (!quantidade.isNull())
        e.quantidade = Decimal::deVariant(quantidade);
    e.documento = valor("MOV_DOC").toString();
    e.data = valor("MOV_DATA").toDate();
    e.devolucao = valor("MOV_DATAD").toDate();
    return e;
}
