// The About box.
#include "shell/about.h"

#include <new>

#include "res/resource_ids.h"

__About_Base::__About_Base() {
    Bind(WEventId::Create, WHandler<&__About_Base::OnCreate>(this));
    Bind(WEventId::Close, WHandler<&__About_Base::OnClose>(this));
    Bind(WEventId::Destroy, WHandler<&__About_Base::OnDestroy>(this));
}

__About_Base::~__About_Base() {
    if (Exists()) {
        EndDialog(0);
        // A box still being shown loses its window now, while its teardown can still run.
        if (Exists()) {
            Destroy();
        }
    }
    Unbind(WEventId::Create, WHandler<&__About_Base::OnCreate>(this));
    Unbind(WEventId::Close, WHandler<&__About_Base::OnClose>(this));
    Unbind(WEventId::Destroy, WHandler<&__About_Base::OnDestroy>(this));
}

bool __About_Base::RunModal(WWindow* parent) {
    parent_ = parent;
    // Nothing of this object is touched after the run: it may have gone with its owner.
    return WDialog::RunModal(parent, ID_About);
}

bool __About_Base::OnCreate(WObject* /*source*/, WEventData* /*data*/) {
    Centre(parent_);
    // A control that cannot be allocated stays null and every step on it is skipped: the box
    // still shows and still closes through its close box and Alt+F4.
    cb_OK = new (std::nothrow) WCommandButton;
    pictb_Product = new (std::nothrow) WPictureBox;
    label_Copyright = new (std::nothrow) WLabel;
    label_ProductName = new (std::nothrow) WLabel;
    boxIcon_.Load(ID_Icon_Window);
    SetIcons(boxIcon_);
    font_.Create("9.ＭＳ ゴシック.CharSet=128");
    SetFont(font_, true);
    SetName("About");
    if (cb_OK != nullptr) {
        cb_OK->Attach(*this, ID_About_cb_OK);
    }
    if (pictb_Product != nullptr) {
        pictb_Product->Attach(*this, ID_About_pictb_Product);
    }
    if (label_Copyright != nullptr) {
        label_Copyright->Attach(*this, ID_About_label_Copyright);
    }
    if (label_ProductName != nullptr) {
        label_ProductName->Attach(*this, ID_About_label_ProductName);
    }
    // Kept on purpose: OK is the cancel button too, so Esc ends the box with result 1.
    if (cb_OK != nullptr) {
        SetDefaultButton(cb_OK);
        cb_OK->SetPushed(false);
        SetCancelButton(cb_OK);
        cb_OK->SetName("cb_OK");
    }
    productIcon_.Load(ID_Icon_Window);
    if (pictb_Product != nullptr) {
        pictb_Product->SetIcon(productIcon_);
        pictb_Product->SetName("pictb_Product");
    }
    if (label_Copyright != nullptr) {
        label_Copyright->SetName("label_Copyright");
    }
    if (label_ProductName != nullptr) {
        label_ProductName->SetName("label_ProductName");
    }
    BindOKEvent(true);
    Show();
    return false;
}

bool __About_Base::OnOK(WObject* /*source*/, WEventData* /*data*/) {
    EndDialog(1);
    return false;
}

bool __About_Base::OnClose(WObject* /*source*/, WEventData* /*data*/) {
    EndDialog(0);
    return true;
}

bool __About_Base::OnDestroy(WObject* /*source*/, WEventData* /*data*/) {
    BindOKEvent(false);
    SetDefaultButton(nullptr);
    SetCancelButton(nullptr);
    delete cb_OK;
    delete pictb_Product;
    delete label_Copyright;
    delete label_ProductName;
    cb_OK = nullptr;
    pictb_Product = nullptr;
    label_Copyright = nullptr;
    label_ProductName = nullptr;
    return false;
}

void __About_Base::BindOKEvent(bool bind) {
    if (cb_OK == nullptr) {
        return;
    }
    if (bind) {
        cb_OK->Bind(WEventId::Click, WHandler<&__About_Base::OnOK>(this));
    } else {
        cb_OK->Unbind(WEventId::Click, WHandler<&__About_Base::OnOK>(this));
    }
}
