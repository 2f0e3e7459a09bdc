// Pictures of the declarant form and of the code pickers for a look at them
// under a virtual X server (xvfb-run); not a test.
//   captura_responsavel PASTA   pictures saved in PASTA
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "entry/TfmDadosResp.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "pickers/TfmSeletor.h"
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString saida = argc > 1 ? argv[1] : QStringLiteral(".");
    const teste::PastaTeste pasta;
    TdmGDZovi dm(pasta.Caminho());
    CatalogoMensagens catalogo(dm.dbZovi);
    auto& dialogos = ServicoDialogos::Programa();
    Mensagens mensagens(catalogo, dialogos);
    const Referencias ref(dm.dbZovi);
    const TCriticaZovi critica(ref);
    Seletores seletores(dm, dialogos);

    {
        TfmDadosResp fm(dm, critica, seletores, dialogos, mensagens);
        const std::pair<const char*, const char*> valores[] = {
            {"edInscricao", "11222333000181"}, {"edNome", "ESCRITÓRIO CONTÁBIL MODELO LTDA"},
            {"edLogradouro", "AVENIDA PAULISTA"}, {"edNumero", "1578"}, {"edComplemento", "CONJUNTO 1203"},
            {"edBairro", "BELA VISTA"}, {"edCep", "01310200"}, {"edEmail", "contato@modelo.com.br"},
            {"edDdd", "11"}, {"edTelefone", "32345678"}, {"edMunicipio", "3550308"}};
        for (const auto& [nome, texto] : valores) fm.Edicao(nome)->setText(QString::fromUtf8(texto));
        fm.Rotinas().CriticaInscricao();
        fm.Rotinas().CriticaMunicipio();
        fm.Edicao("edNome")->setFocus();
        Salva(fm, saida + "/responsavel.png");
    }
    {
        TfmSeletor cbo(dm, TipoSeletor::Cbo);
        cbo.Prepara({});
        cbo.findChild<QLineEdit*>("edProcura")->setText(QStringLiteral("tecnico enfermagem"));
        Salva(cbo, saida + "/seletor-cbo-procura.png");
    }
    {
        TfmSeletor municipio(dm, TipoSeletor::Municipio);
        municipio.Prepara(QStringLiteral("3550308"));
        Salva(municipio, saida + "/seletor-municipio.png");
    }
    {
        TfmSeletor afastamento(dm, TipoSeletor::Afastamento);
        afastamento.Prepara(QStringLiteral("50"));
        Salva(afastamento, saida + "/seletor-afastamento.png");
    }
    return 0;
}
