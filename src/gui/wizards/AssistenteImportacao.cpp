#include "wizards/AssistenteImportacao.h"

#include <QFileInfo>

#include "backup/UnidadeCopia.h"
#include "data/ModulosDados.h"
#include "messages/ServicoDialogos.h"
#include "motor/Relatorio.h"
#include "reports/Previa.h"
#include "wizards/TfmImport00.h"
#include "wizards/TfmImport01.h"
#include "wizards/TfmImport02.h"
#include "wizards/TfmImport03.h"

namespace zovi::gui {

QString RotuloAnoImportacao(int ano) {
    return (ano == 2005 ? QStringLiteral("Atual - Ano ") : QStringLiteral("Anterior - Ano ")) + QString::number(ano);
}

void LigaBotoesRelatorio(QWidget* pagina, QAbstractButton* visualizar, QAbstractButton* imprimir,
                         ServicoDialogos& dialogos, std::function<std::unique_ptr<relatorios::Relatorio>()> cria) {
    QObject::connect(visualizar, &QAbstractButton::clicked, pagina, [=, &dialogos] {
        auto relatorio = cria();
        MostraRelatorio(pagina, *relatorio, dialogos);
    });
    QObject::connect(imprimir, &QAbstractButton::clicked, pagina, [=, &dialogos] {
        auto relatorio = cria();
        ImprimeRelatorio(pagina, *relatorio, dialogos);
    });
}

void LocalizaArquivo(QWidget* pagina, ServicoDialogos& dialogos, QLineEdit* campo, const QString& filtro) {
    const QString escolhido =
        dialogos.ArquivoParaAbrir(pagina, QStringLiteral("Abrir arquivo"), PastaInicialCopia(), filtro);
    if (!escolhido.isEmpty()) campo->setText(escolhido);
}

bool ArquivoExiste(QWidget* pagina, ServicoDialogos& dialogos, QLineEdit* campo) {
    if (QFileInfo(campo->text().trimmed()).isFile()) return true;
    dialogos.Mensagem(TipoDialogo::Aviso,
                      QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."),
                      pagina);
    campo->setFocus();
    return false;
}

AssistenteImportacao::AssistenteImportacao(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, int ano,
                                           QWidget* pai)
    : dialogos_(dialogos), contexto_(dm, mensagens, ano),
      fmImport00_(std::make_unique<TfmImport00>(contexto_, dialogos, pai)),
      fmImport01_(std::make_unique<TfmImport01>(contexto_, dialogos, pai)),
      fmImport02_(std::make_unique<TfmImport02>(contexto_, dialogos, pai)),
      fmImport03_(std::make_unique<TfmImport03>(contexto_, dialogos, pai)) {
    contexto_.titulo = fmImport00_->windowTitle();
}

AssistenteImportacao::~AssistenteImportacao() = default;

void AssistenteImportacao::Executa() {
    ExecutaAssistente(dialogos_, contexto_, 3, [this](int passo) -> PaginaAssistente& {
        switch (passo) {
        case 0: return *fmImport00_;
        case 1:
            if (contexto_.falhaEstrutura) return *fmImport01_;
            fmImport02_->MostraEstabelecimentos();
            return *fmImport02_;
        default: return *fmImport03_;
        }
    });
    for (const char* tabela : {"TE8EMP", "TE8VINC", "TE8IMP", "TE8STRU"}) contexto_.dm.dbZovi.ApagaTabela(tabela);
}

}  // namespace zovi::gui
