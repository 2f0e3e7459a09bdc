// Pictures of the new-declaration wizard, of each tab of the establishment
// form and of the establishment list, for a look at them under a virtual X
// server (xvfb-run); not a test.
//   captura_estabelecimento PASTA   pictures saved in PASTA
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "entry/TfmConEstab.h"
#include "entry/ContextoEntrada.h"
#include "entry/TfmDadosEstab.h"
#include "entry/TfmNovaDecl.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "pickers/Seletores.h"
#include "rules/CriticaZovi.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

void Salva(QWidget& janela, const QString& arquivo) {
    janela.show();
    janela.activateWindow();
    QTest::qWait(400);
    janela.grab().save(arquivo);
}

void Acrescenta(Banco& banco, const std::vector<std::pair<const char*, const char*>>& campos) {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    t.Acrescenta();
    for (const auto& [campo, valor] : campos) t.PoeTexto(campo, Utf8ParaCp1252(valor).value_or(""));
    t.Grava();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const QString saida = argc > 1 ? argv[1] : QStringLiteral(".");
    const teste::PastaTeste pasta;
    TdmGDZovi dm(pasta.Caminho());
    CatalogoMensagens catalogo(dm.dbZovi);
    ServicoDialogos dialogos;
    dialogos.Roteiriza();
    Mensagens mensagens(catalogo, dialogos);
    ContextoEntrada contexto(dm, dialogos, mensagens);

    Acrescenta(dm.dbZovi, {{"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                           {"NuPrefixoEstabelecimento", "01"}, {"InInscrEstabelecimento", "1"},
                           {"CoCgcVinculado", "00123456789010"}, {"NoRazaoEstabelecimento", "COMERCIAL EXEMPLO LTDA"},
                           {"TxUsoEstabelecimento", "FILIAL 01"}, {"EdEstabelecimento", "AVENIDA W3 SUL QUADRA 508"},
                           {"NuEnderecoEstabelecimento", "000012"}, {"TxComplemEstabelecimento", "BLOCO C SALA 4"},
                           {"NoBairroEstabelecimento", "ASA SUL"}, {"CoCepEstabelecimento", "70351530"},
                           {"CoMunicipio", "5300108"}, {"NoMunicEstabelecimento", "BRASILIA"}, {"SgUf", "DF"},
                           {"NuDDD", "61"}, {"NuTelefone", "32245566"}, {"TxEmailEstabelecimento", "RH@EXEMPLO.COM.BR"},
                           {"CoCNPJSindical", "33000167000101"}, {"VaGlobalSindical", "00123456"},
                           {"VaGlobalAssociativa", "00000000"}, {"VaGlobalAssistencial", "00004500"},
                           {"VaGlobalConfederativa", "00000000"}, {"CoCnae", "52418"}, {"CoNaturezaJuridica", "2062"},
                           {"NuProprietEstabelecimento", "02"}, {"MeDataBase", "05"}, {"InZoviNegEstabelecimento", "0"},
                           {"InPorte", "2"}, {"InOptanteSimples", "1"}, {"InParticipaPAT", "1"},
                           {"NuVinculoPatMaior5", "000004"}, {"NuVinculoPatMenor5", "000018"}, {"PoRefeicaoConvenio", "060"},
                           {"PoCestaAlimento", "040"}, {"InEncerramentoAtividade", "2"}, {"InAtividadeAnoBase", "1"}});
    Acrescenta(dm.dbZovi, {{"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", "00123456789010"},
                           {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "3"},
                           {"NoRazaoEstabelecimento", "OBRA RESIDENCIAL JARDIM DAS FLORES"},
                           {"NuVinculosEstabelecimento", "000137"}});
    Acrescenta(dm.dbZovi, {{"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", "33000167000101"},
                           {"NuPrefixoEstabelecimento", "A1"}, {"InInscrEstabelecimento", "1"},
                           {"NoRazaoEstabelecimento", "ALVORADA INDÚSTRIA E COMÉRCIO DE ALIMENTOS S.A."},
                           {"NuVinculosEstabelecimento", "002480"}});

    {
        TfmNovaDecl fm(dm, dialogos, mensagens, {});
        Salva(fm, saida + "/nova-declaracao-vazia.png");
        fm.Edicao("edInscricao")->setText("11222333000181");
        fm.Edicao("edPrefixo")->setFocus();
        fm.PoeTexto("edPrefixo", "02");
        fm.PoeTexto("edRazao", "COMERCIAL EXEMPLO LTDA");
        fm.PoeTexto("edUso", "LOJA CENTRO");
        Salva(fm, saida + "/nova-declaracao.png");
    }
    {
        TfmDadosEstab fm(contexto);
        fm.DefineEstabelecimento("2005", "11222333000181", "01", false);
        fm.show();
        auto* abas = fm.findChild<QTabWidget*>("pcEstabelecimento");
        for (int i = 0; i < abas->count(); ++i) {
            abas->setCurrentIndex(i);
            Salva(fm, saida + QStringLiteral("/estabelecimento-aba%1.png").arg(i + 1));
        }
    }
    {
        TfmConEstab fm(dm, dialogos, mensagens, {});
        Salva(fm, saida + "/lista-estabelecimentos.png");
        fm.DefineModo(TfmConEstab::ModoExcluir);
        Salva(fm, saida + "/lista-estabelecimentos-excluir.png");
    }
    return 0;
}
