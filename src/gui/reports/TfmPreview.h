#pragma once
// The report preview: one page at a time, drawn on demand from where the
// page starts (a report of thousands of pages shows any page at once without
// holding the others), with page navigation, zoom, printing and saving as PDF.
#include <QDialog>
#include <QImage>

#include <functional>
#include <memory>

#include "motor/Composicao.h"

namespace Ui {
class TfmPreview;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmPreview : public QDialog {
    Q_OBJECT
public:
    TfmPreview(relatorios::Relatorio& relatorio, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmPreview() override;

    // Lays the report out; false when it has more pages than `limite` (it is then not shown),
    // or when `aoContar`, told the pages laid out so far, answers false.
    bool Prepara(int limite, const std::function<bool(int)>& aoContar = {});
    int Pagina() const { return pagina_; }
    int Paginas() const { return composicao_.Paginas(); }
    void MostraPagina(int numero);
    // The page as shown, at the current zoom.
    const QImage& ImagemPagina() const { return imagem_; }
    Ui::TfmPreview& Interface() { return *ui_; }

    void Imprime();
    void SalvaPdf();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void LigaComandos();
    qreal Resolucao() const;
    void Desenha();
    void AtualizaBotoes();

    std::unique_ptr<Ui::TfmPreview> ui_;
    relatorios::Relatorio& relatorio_;
    ServicoDialogos& dialogos_;
    relatorios::Composicao composicao_;
    int pagina_ = 1;
    QImage imagem_;
    bool dimensionada_ = false;
};

}  // namespace zovi::gui
