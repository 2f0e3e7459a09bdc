#include "messages/RotinasFormulario.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "messages/ServicoDialogos.h"

namespace zovi::gui {

QString SemAcentos(const QString& texto) {
    const QString decomposto = texto.normalized(QString::NormalizationForm_D);
    QString plano;
    plano.reserve(decomposto.size());
    for (QChar c : decomposto)
        if (c.category() != QChar::Mark_NonSpacing) plano.append(c);
    return plano;
}

void LimpaEdicoes(QWidget& recipiente) {
    for (auto* edicao : recipiente.findChildren<QLineEdit*>()) {
        // The text box inside a spin box or a combo box belongs to that control, not to the form.
        auto* dono = edicao->parentWidget();
        if (qobject_cast<QAbstractSpinBox*>(dono) || qobject_cast<QComboBox*>(dono)) continue;
        edicao->clear();
    }
    for (auto* memo : recipiente.findChildren<QPlainTextEdit*>()) memo->clear();
    for (auto* memo : recipiente.findChildren<QTextEdit*>())
        if (!memo->isReadOnly()) memo->clear();
}

void LimitePaginas(QWidget& previa, ServicoDialogos& dialogos) {
    dialogos.Simples(QStringLiteral(" Limite de páginas excedido para visualização. Utilize a função IMPRIMIR. "),
                     &previa);
    previa.close();
}

}  // namespace zovi::gui
