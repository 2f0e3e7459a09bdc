// The delivery receipt read back from its PDF: from receipt tables filled
// here, the layout of its pages; through gdzovi-lote, a rectifying
// declaration written, receipted with gdzovi-protocolo and printed, and the
// receipts that are refused with nothing printed.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "PdfTexto.h"
#include "TrpProtocolo99.h"
#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "motor/Saida.h"

namespace zovi::teste {
namespace {

using relatorios::TrpProtocolo99;

class TrpProtocolo99Teste : public ::testing::Test {
protected:
    TrpProtocolo99Teste() { banco_.Abre("Zovi2005", {pasta_.Parametro()}); }

    // One receipt of `estabelecimentos` establishments, the first without employees.
    void Grava(int estabelecimentos, bool retificacao) {
        const std::string hash(64, 'A');
        banco_.CriaTabela(DefTe8ProIdProtocolo());
        banco_.CriaTabela(DefTe8ProES());
        Tabela id(banco_, "TE8PROID"), es(banco_, "TE8PROES");
        id.Abre();
        es.Abre();
        id.Acrescenta();
        for (const auto& [c, v] : std::vector<std::pair<const char*, const char*>>{
                 {"NuDisquete", "1"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"InInscrEstabelecimento", "1"},
                 {"NoRazaoEstabelecimento", "PADARIA SAO JOAO LTDA"}, {"CoCepEstabelecimento", "70040010"},
                 {"NuEnderecoEstabelecimento", "000120"}, {"NuDDD", "61"}, {"NuTelefone", "33334444"},
                 {"NoResponsavelArquivo", "MARIA DA CONCEICAO"}, {"CoCgcCeiResponsavel", "12345678909"},
                 {"InInscrResponsavel", "4"}, {"NuEstabelecimentos", "000040"}, {"NuVinculos", "000123"},
                 {"CreaProtocolo", "000123456789"}, {"HashProtocolo", hash.c_str()},
                 {"ddProtocolo", "28"}, {"mmProtocolo", "03"}})
            id.PoeTexto(c, v);
        id.PoeLogico("InRetificacao", retificacao);
        id.PoeLogico("InReciboParaRespArquivo", true);
        id.Grava();
        for (int i = 0; i < estabelecimentos; ++i) {
            es.Acrescenta();
            es.PoeTexto("NuDisquete", "1");
            es.PoeTexto("CoCgcCeiEstabelecimento", "11222333000181");
            es.PoeTexto("NuPrefixoEstabelecimento", QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')).toStdString());
            es.PoeTexto("InInscrEstabelecimento", "1");
            es.PoeTexto("NoRazaoEstabelecimento", "ESTABELECIMENTO DE NOME BEM COMPRIDO NUMERO " + std::to_string(i));
            es.PoeTexto("CoCgcVinculado", i == 1 ? "00123456789012" : "00000000000000");
            es.PoeTexto("DaEncerramentoAtividade", i == 1 ? "31122005" : "00000000");
            es.PoeTexto("NuVinculosEstabelecimento", std::to_string(i == 0 ? 0 : i * 3));
            es.Grava();
        }
    }

    QStringList Paginas() {
        TrpProtocolo99 protocolo(banco_);
        QString erro;
        EXPECT_TRUE(relatorios::GeraPdf(protocolo, arquivo_, &erro)) << erro.toStdString();
        return PaginasPdf(arquivo_);
    }

    PastaTeste pasta_;
    Banco banco_;
    QTemporaryDir saida_;
    QString arquivo_ = saida_.filePath(QStringLiteral("protocolo.pdf"));
};

TEST_F(TrpProtocolo99Teste, PrimeiraPaginaCompletaEAsSeguintesComOCabecalhoCurto) {
    Grava(40, false);
    const auto paginas = Paginas();
    ASSERT_GE(paginas.size(), 2);
    const QString& p1 = paginas[0];
    for (const char* t : {"Protocolo de Entrega em Meio Magnético", "Declaração do Ano-Base 2005", "Crea: 000123456789",
                          "11.222.333/0001-81", "70040-010", "( 61 ) 3333-4444", "123.456.789-09",
                          "(X) Endereço do responsável", ") Endereço do estabelecimento", "Total de vínculos",
                          "Recepção do arquivo: 28/03/2005", "NOTA:1 - As informações da ZOVI",
                          "ESTABELECIMENTO DE NOME BEM COM", "12-345-67.890-1/2", "31/12/2005"})
        EXPECT_TRUE(p1.contains(QString::fromUtf8(t))) << t;
    EXPECT_FALSE(p1.contains(QStringLiteral("ESTABELECIMENTO DE NOME BEM COMP"))) << "names cut at 31";
    EXPECT_TRUE(p1.contains(QString(64, QLatin1Char('A'))));
    const QString& p2 = paginas[1];
    EXPECT_TRUE(p2.contains(QStringLiteral("Identificação do primeiro estabelecimento do arquivo")));
    EXPECT_TRUE(p2.contains(QStringLiteral("Nome/Firma/Razão Social")));
    EXPECT_FALSE(p2.contains(QStringLiteral("Identificação do responsável")));
    EXPECT_FALSE(p2.contains(QStringLiteral("NOTA:1"))) << "the notes go with the full header only";
    EXPECT_TRUE(p2.contains(QStringLiteral("Recepção do arquivo: 28/03/2005")));
    EXPECT_TRUE(p2.contains(QString(64, QLatin1Char('A'))));
}

TEST_F(TrpProtocolo99Teste, RetificacaoComSeuTitulo) {
    Grava(1, true);
    const auto paginas = Paginas();
    ASSERT_EQ(paginas.size(), 1);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Declaração Retificação do Ano-Base 2005")));
}

// gdzovi-lote and gdzovi-protocolo on a generated declaration.
class ComandoProtocolo : public ::testing::Test {
protected:
    ComandoProtocolo() {
        EXPECT_EQ(Roda("gdzovi-gera", {Dados(), "2", "3"}), 0);
        EXPECT_EQ(Roda("gdzovi-gera", {Dados(), "1", "0", "--semente", "77"}), 0);
    }
    QString Dados() const { return QString::fromStdString(dados_.Caminho().string()); }

    // Runs a built program; `chaveTeste` puts the seal library of the tests' receiving side first.
    int Roda(const char* programa, const QStringList& argumentos, bool chaveTeste = true) {
        QProcess p;
        auto ambiente = QProcessEnvironment::systemEnvironment();
        if (chaveTeste) ambiente.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(GDZOVI_ZOVI2005_TESTE));
        p.setProcessEnvironment(ambiente);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QString::fromStdString((PastaProgramas() / programa).string()), argumentos);
        EXPECT_TRUE(p.waitForFinished(60000));
        terminal = QString::fromUtf8(p.readAll());
        return p.exitCode();
    }

    // "INSCRICAO/PREFIXO:PIS,PIS" of the first establishment with employees, two of them,
    // and the establishment declared without employees.
    QString Escolha() {
        Banco banco;
        banco.Abre("Zovi2005", {dados_.Parametro()});
        Consulta e(banco, {"SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InZoviNegEstabelecimento",
                           "FROM BD8Emp ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
        QString com, sem;
        for (e.Abre(); !e.Fim(); e.Proximo()) {
            const auto chave = QString::fromStdString(e.Texto(0) + "/" + e.Texto(1));
            if (e.Texto(2) == "0" && com.isEmpty()) {
                Consulta v(banco, {"SELECT CoPisPasepEmpregado FROM BD8Vinc WHERE CoCgcCeiEstabelecimento = :i",
                                   "AND NuPrefixoEstabelecimento = :p ORDER BY CoPisPasepEmpregado LIMIT 2"});
                v.Parametro("i", e.Texto(0));
                v.Parametro("p", e.Texto(1));
                QStringList pis;
                for (v.Abre(); !v.Fim(); v.Proximo()) pis << QString::fromStdString(v.Texto(0));
                com = chave + QLatin1Char(':') + pis.join(QLatin1Char(','));
                semPis = chave;
            } else if (e.Texto(2) != "0") {
                sem = chave;
            }
        }
        return com + QLatin1Char(',') + sem;
    }

    PastaTeste dados_;
    QTemporaryDir saida_;
    QString terminal, semPis;
};

TEST_F(ComandoProtocolo, RetificaRecebeEImprime) {
    const QString destino = saida_.filePath(QStringLiteral("retificadora"));
    const QString arquivo = destino + QStringLiteral("/Zovi2005");
    const QString escolha = Escolha();
    // An establishment with employees and none chosen, and a call without its date: nothing written.
    EXPECT_EQ(Roda("gdzovi-lote", {"retificar", Dados(), "--pasta", destino, "--data", "15032006",
                                   "--estabelecimentos", semPis}),
              1);
    EXPECT_EQ(Roda("gdzovi-lote", {"retificar", Dados(), "--pasta", destino, "--estabelecimentos", escolha}), 64);
    EXPECT_FALSE(QFileInfo::exists(arquivo));

    ASSERT_EQ(Roda("gdzovi-lote", {"retificar", Dados(), "--pasta", destino, "--data", "15032006",
                                   "--estabelecimentos", escolha}),
              0)
        << terminal.toStdString();
    EXPECT_EQ(QFileInfo(arquivo).size(), 6 * 525);  // header, 2 type 1, 2 type 2, trailer
    EXPECT_EQ(Roda("gdzovi-lote", {"analisar", arquivo, Dados()}), 8) << terminal.toStdString();

    const QString pdf = saida_.filePath(QStringLiteral("protocolo.pdf"));
    const QStringList relatorio{"relatorio", "protocolo", arquivo, Dados(), "--pdf", pdf};
    EXPECT_EQ(Roda("gdzovi-lote", relatorio), 1) << "no receipt yet";
    EXPECT_TRUE(terminal.contains(QStringLiteral("Zovi2005.pro não foi encontrado"))) << terminal.toStdString();

    ASSERT_EQ(Roda("gdzovi-protocolo", {"emite", "--chave", GDZOVI_CHAVE_TESTE, "--numero", "000123456789", "--data",
                                        "2803", arquivo}),
              0)
        << terminal.toStdString();
    QFile recibo(destino + QStringLiteral("/Zovi2005.pro"));
    ASSERT_TRUE(recibo.open(QIODevice::ReadOnly));
    const QString hash = QString::fromLatin1(recibo.readAll()).section(QStringLiteral("hash="), 1).left(64);
    ASSERT_EQ(hash.size(), 64);

    // The program's own library knows only the real receiving side's key: refused.
    EXPECT_EQ(Roda("gdzovi-lote", relatorio, false), 1);
    EXPECT_TRUE(terminal.contains(QStringLiteral("Protocolo inválido ou inexistente"))) << terminal.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));

    ASSERT_EQ(Roda("gdzovi-lote", relatorio), 0) << terminal.toStdString();
    const QString texto = PaginasPdf(pdf).join(QLatin1Char('\f'));
    for (const QString& t : {QStringLiteral("Crea: 000123456789"), QStringLiteral("Recepção do arquivo: 28/03/2005"),
                             hash, QStringLiteral("Declaração Retificação do Ano-Base 2005")})
        EXPECT_TRUE(texto.contains(t)) << t.toStdString();
    Banco banco;
    banco.Abre("Zovi2005", {dados_.Parametro()});
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID")) << "the receipt tables go once printed";
    EXPECT_FALSE(banco.ExisteTabela("TE8PROES"));
}

}  // namespace
}  // namespace zovi::teste
